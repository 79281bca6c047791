// Numbers of the string-table texts of the calibration checks, the internal-standard
// methods and the reference sample check: the messages under the system's own numbers
// (strings/<lang>/numbered.inc), the other texts in 3200-3399 (strings/<lang>/engine2.inc).
#pragma once

namespace p528::text {

// Internal-standard methods.
inline constexpr int kStdMassMissing56720 = 214;  // "Не задана масса внутреннего стандарта! ГОСТ Р 56720-2015 п.14.2.2."
inline constexpr int kStdMassMissing54291 = 215;  // "... ГОСТ Р 54291-2010 п.12.2.3."
inline constexpr int kStdMassHint = 216;          // "\r\n\tДля задания массы внутреннего стандарта ..."
inline constexpr int kSampleMassMissing = 217;    // "Не задана масса СГК! ГОСТ Р 56720-2015 п.14.2.2."
inline constexpr int kSampleMassHint = 218;       // "\r\n\tДля задания массы СГК ..."
inline constexpr int kNoSampleRuns = 219;         // warning "Отсутствуют анализируемые хроматограммы!"
inline constexpr int kNoStdRun = 220;             // "Отсутствует хроматограмма с внутренним стандартом!"
inline constexpr int kIsIbpNotCovered = 221;      // "Градуировочный график не охватывает Тнк анализа-%i !"

// Reference sample check.
inline constexpr int kNoReferenceRun = 222;       // warning
inline constexpr int kReferenceNoChannels = 223;  // warning
inline constexpr int kReferenceNotCovered = 224;  // a point outside the calibration
inline constexpr int kReferenceExceededAstm = 225;   // "%.1f%%": percent
inline constexpr int kReferenceExceededIso = 226;
inline constexpr int kReferenceExceeded56720 = 227;
inline constexpr int kReferenceLimitLine = 228;   // "\r\n\t\tНорматив R, °С: %.2f"
inline constexpr int kReferenceDifferenceLine = 229;  // "\r\n\t\tРазность, °С: %.2f"

// Resolution and relative response factors.
inline constexpr int kResolutionIso = 292;
inline constexpr int kResolution56720 = 293;
inline constexpr int kDecaneNotInTable = 294;         // "... программы не обнаружен н-Декан (C10).\r\n"
inline constexpr int kDecaneCheckImpossibleIso = 295; // "\tПроверка ... (ГОСТ ISO 3924-2017 п. 8.4.)"
inline constexpr int kDecaneCheckImpossibleAstm = 296;
inline constexpr int kComponentNotInTable = 297;      // "%s": peak name
inline constexpr int kComponentMassMissing = 298;     // "%s": component name
inline constexpr int kResponseOutIso = 299;           // "%s": component name
inline constexpr int kResponseOutAstm = 300;
inline constexpr int kResponseValueLine = 301;        // "\r\n\t\tОтносительный отклик компонента: %.2f"
inline constexpr int kDecaneMassMissing = 302;
inline constexpr int kDecaneNotInCheckRunIso = 303;
inline constexpr int kDecaneNotInCheckRunAstm = 304;
inline constexpr int kMassHint = 305;                 // information

inline constexpr int kYes = 3200;                   // "Да"
inline constexpr int kNo = 3201;                    // "Нет"
inline constexpr int kRefIbpLabel = 3202;           // "Тнк (0.5)"
inline constexpr int kRefFbpLabel = 3203;           // "Ткк (99.5)"

inline constexpr int kGasoilIbpLabel = 3210;        // "Тнк(IBP)"
inline constexpr int kGasoilFbpLabel = 3211;        // "Ткк(FBP)"
inline constexpr int kGasoilDialogTitle = 3212;     // "Параметры эталона"
inline constexpr int kGasoilColumnNumber = 3213;    // "№"
inline constexpr int kGasoilColumnPercent = 3214;   // "Доля отгона, %"
inline constexpr int kGasoilColumnTemp = 3215;      // "Температура кипения, °C"
inline constexpr int kGasoilColumnDelta = 3216;     // "Допустимое отклонение, °C"
inline constexpr int kGasoilPassportLabel = 3217;   // "Номер паспорта эталона:"

inline constexpr int kRefFileUnreadable = 3230;     // "%s": the path
inline constexpr int kRefFileTooLarge = 3231;       // "%i": the limit in bytes
inline constexpr int kRefFileFieldCount = 3232;     // "%i": line
inline constexpr int kRefFileNotNumber = 3233;      // "%i" line, "%s" field
inline constexpr int kRefFileUnknownPercent = 3234; // "%i" line, "%s" field
inline constexpr int kRefFileDuplicatePercent = 3235;
inline constexpr int kRefFileNoPassport = 3236;     // "%i": line

}  // namespace p528::text
