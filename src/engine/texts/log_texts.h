// Texts of the message log: its line formats (3000-3005, strings/<lang>/log.inc).
#pragma once

namespace p528::text {

inline constexpr int kLogEmpty = 3000;        // "\r\n \tПредупреждений и ошибок нет."
inline constexpr int kLogErrorLine = 3001;    // "%i.  Ошибка! \r\n\t%s\r\n"
inline constexpr int kLogWarningLine = 3002;  // "%i. Предупреждение! \r\n\t%s\r\n"
inline constexpr int kLogInfoLine = 3003;     // "%i. Информация! \r\n\t%s\r\n"
inline constexpr int kLogReportError = 3004;  // "%s \r\n\t%s\r\n"
inline constexpr int kLogErrorLabel = 3005;   // "Ошибка!"

}  // namespace p528::text
