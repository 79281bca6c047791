// Numbers of the engine's texts in the string table (the interface language's table
// supplies the text): the system's fixed numbers, and 3000-3199 for the texts of the
// message log, the calibration, the distillation curve and the boiling range
// (strings/<lang>/engine.inc).
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
inline constexpr int kNoBlank = 3010;       // "Отсутствует холостая хроматтограмма!"

// Area normalisation: final boiling point.
inline constexpr int kNoAnalyses = 3020;        // "Отсутствуют хроматограммы для анализа"
inline constexpr int kFbpNotFoundAstm = 3021;
inline constexpr int kFbpNotFoundIso = 3022;
inline constexpr int kFbpNotFound56720 = 3023;
inline constexpr int kFbp538Within = 3024;      // warning, first line (methods 0, 5)
inline constexpr int kFbp545Within = 3025;      // warning, first line (method 2)
inline constexpr int kFbp538Taken = 3026;
inline constexpr int kFbpC44Taken = 3027;
inline constexpr int kFbp538Time = 3028;
inline constexpr int kFbpC44Time = 3029;
inline constexpr int kFbpFoundTime = 3030;
inline constexpr int kFbpExceedsAstm = 3031;
inline constexpr int kFbpExceedsIso = 3032;
inline constexpr int kFbpExceeds56720 = 3033;

// Initial boiling point.
inline constexpr int kIbpNotCovered = 3040;  // "Градуировочный график не охватывает Тнк анализа-%i !"
inline constexpr int kIbpBelowIso = 3041;    // 55 °C, GOST ISO 3924
inline constexpr int kIbpBelowAstm = 3042;   // 55.5 °C, ASTM D 2887

// Captions.
inline constexpr int kCaptionTimeMin = 185;  // "T, мин"
inline constexpr int kCaptionTempC = 186;    // "t, °C"

}  // namespace p528::text
