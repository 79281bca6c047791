// Texts of the recalculation, the driver and the boiling range of the area-normalisation
// methods: the messages under the system's own numbers (strings/<lang>/numbered.inc), and
// the captions of the time and temperature axes.
#pragma once

namespace p528::text {

// Recalculation and driver.
inline constexpr int kNoCalibration = 146;  // "Отсутствует градуировочная хроматтограмма!"
inline constexpr int kNoBlank = 196;  // "Отсутствует холостая хроматтограмма!"

// Area normalisation: final boiling point.
inline constexpr int kNoAnalyses = 197;  // "Отсутствуют хроматограммы для анализа"
inline constexpr int kFbpNotFoundAstm = 198;
inline constexpr int kFbpNotFoundIso = 199;
inline constexpr int kFbpNotFound56720 = 200;
inline constexpr int kFbp538Within = 201;  // warning, first line (methods 0, 5)
inline constexpr int kFbp545Within = 204;  // warning, first line (method 2)
inline constexpr int kFbp538Taken = 202;
inline constexpr int kFbpC44Taken = 205;
inline constexpr int kFbp538Time = 203;
inline constexpr int kFbpC44Time = 206;
inline constexpr int kFbpFoundTime = 207;
inline constexpr int kFbpExceedsAstm = 208;
inline constexpr int kFbpExceedsIso = 209;
inline constexpr int kFbpExceeds56720 = 210;

// Initial boiling point.
inline constexpr int kIbpNotCovered = 211;  // "Градуировочный график не охватывает Тнк анализа-%i !"
inline constexpr int kIbpBelowIso = 212;   // 55 °C, GOST ISO 3924
inline constexpr int kIbpBelowAstm = 213;  // 55.5 °C, ASTM D 2887

// Captions.
inline constexpr int kCaptionTimeMin = 185;  // "T, мин"
inline constexpr int kCaptionTempC = 186;    // "t, °C"

}  // namespace p528::text
