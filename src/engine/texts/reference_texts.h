// Texts of the reference sample check: its messages (strings/<lang>/numbered.inc), the
// labels of its list, the reference parameters and the custom reference file's messages
// (3202-3239, strings/<lang>/checks.inc).
#pragma once

namespace p528::text {

inline constexpr int kNoReferenceRun = 222;         // warning
inline constexpr int kReferenceNoChannels = 223;    // warning
inline constexpr int kReferenceNotCovered = 224;    // a point outside the calibration
inline constexpr int kReferenceExceededAstm = 225;  // "%.1f%%": percent
inline constexpr int kReferenceExceededIso = 226;
inline constexpr int kReferenceExceeded56720 = 227;
inline constexpr int kReferenceLimitLine = 228;       // "\r\n\t\tНорматив R, °С: %.2f"
inline constexpr int kReferenceDifferenceLine = 229;  // "\r\n\t\tРазность, °С: %.2f"

// Reference list labels.
inline constexpr int kRefIbpLabel = 3202;  // "Тнк (0.5)"
inline constexpr int kRefFbpLabel = 3203;  // "Ткк (99.5)"

// Reference parameters (custom reference).
inline constexpr int kGasoilIbpLabel = 3210;           // "Тнк(IBP)"
inline constexpr int kGasoilFbpLabel = 3211;           // "Ткк(FBP)"
inline constexpr int kGasoilDialogTitle = 3212;        // "Параметры эталона"
inline constexpr int kGasoilColumnNumber = 3213;       // "№"
inline constexpr int kGasoilColumnPercent = 3214;      // "Доля отгона, %"
inline constexpr int kGasoilColumnTemp = 3215;         // "Температура кипения, °C"
inline constexpr int kGasoilColumnDelta = 3216;        // "Допустимое отклонение, °C"
inline constexpr int kGasoilPassportLabel = 3217;      // "Номер паспорта эталона:"
inline constexpr int kReferenceExceededCustom = 3218;  // "%.1f%%": percent, user-defined reference

// Custom reference file.
inline constexpr int kRefFileUnreadable = 3230;      // "%s": the path
inline constexpr int kRefFileTooLarge = 3231;        // "%i": the limit in bytes
inline constexpr int kRefFileFieldCount = 3232;      // "%i": line
inline constexpr int kRefFileNotNumber = 3233;       // "%i" line, "%s" field
inline constexpr int kRefFileUnknownPercent = 3234;  // "%i" line, "%s" field
inline constexpr int kRefFileDuplicatePercent = 3235;
inline constexpr int kRefFileNoPassport = 3236;  // "%i": line

}  // namespace p528::text
