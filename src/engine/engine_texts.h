// Numbers of the engine's texts in the string table (the interface language's table
// supplies the text): the system's own numbers for the messages of the recalculation, the
// driver, the distillation curve and the boiling range (strings/<lang>/numbered.inc), and
// 3000-3199 for the texts of the message log (strings/<lang>/engine.inc).
#pragma once

namespace p528::text {

// Message log.
inline constexpr int kLogEmpty = 3000;         // "\r\n \tПредупреждений и ошибок нет."
inline constexpr int kLogErrorLine = 3001;     // "%i.  Ошибка! \r\n\t%s\r\n"
inline constexpr int kLogWarningLine = 3002;   // "%i. Предупреждение! \r\n\t%s\r\n"
inline constexpr int kLogInfoLine = 3003;      // "%i. Информация! \r\n\t%s\r\n"
inline constexpr int kLogReportError = 3004;   // "%s \r\n\t%s\r\n"
inline constexpr int kLogErrorLabel = 3005;    // "Ошибка!"

// Recalculation and driver.
inline constexpr int kNoCalibration = 146;  // "Отсутствует градуировочная хроматтограмма!"
inline constexpr int kNoBlank = 196;        // "Отсутствует холостая хроматтограмма!"

// Area normalisation: final boiling point.
inline constexpr int kNoAnalyses = 197;        // "Отсутствуют хроматограммы для анализа"
inline constexpr int kFbpNotFoundAstm = 198;
inline constexpr int kFbpNotFoundIso = 199;
inline constexpr int kFbpNotFound56720 = 200;
inline constexpr int kFbp538Within = 201;      // warning, first line (methods 0, 5)
inline constexpr int kFbp545Within = 204;      // warning, first line (method 2)
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
inline constexpr int kIbpBelowIso = 212;    // 55 °C, GOST ISO 3924
inline constexpr int kIbpBelowAstm = 213;   // 55.5 °C, ASTM D 2887

// Captions.
inline constexpr int kCaptionTimeMin = 185;  // "T, мин"
inline constexpr int kCaptionTempC = 186;    // "t, °C"

}  // namespace p528::text
