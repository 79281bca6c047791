// Messages of the internal-standard methods (strings/<lang>/numbered.inc).
#pragma once

namespace p528::text {

// "Не задана масса внутреннего стандарта! ГОСТ Р 56720-2015 п.14.2.2."
inline constexpr int kStdMassMissing56720 = 214;
inline constexpr int kStdMassMissing54291 = 215;  // "... ГОСТ Р 54291-2010 п.12.2.3."
inline constexpr int kStdMassHint = 216;  // "\r\n\tДля задания массы внутреннего стандарта ..."
inline constexpr int kSampleMassMissing = 217;  // "Не задана масса СГК! ГОСТ Р 56720-2015 п.14.2.2."
inline constexpr int kSampleMassHint = 218;  // "\r\n\tДля задания массы СГК ..."
inline constexpr int kNoSampleRuns = 219;  // warning "Отсутствуют анализируемые хроматограммы!"
inline constexpr int kNoStdRun = 220;  // "Отсутствует хроматограмма с внутренним стандартом!"
inline constexpr int kIsIbpNotCovered = 221;  // "Градуировочный график не охватывает Тнк анализа-%i !"

}  // namespace p528::text
