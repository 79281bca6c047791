// Numbers of the report's texts in the string table (strings/<lang>/report.inc, 3600-3699).
// The report document carries the texts of the interface language, like the lists it copies.
#pragma once

#include "shell/shell.h"
#include "shell/text.h"

#include <string>

namespace p528 {

// Text `id` with its one "%i" filled in ("T1", "Конц. 2, %масс").
inline std::string TextInt(const Shell& shell, int id, int value) {
  return Format(shell.Str(id).c_str(), value);
}

}  // namespace p528

namespace p528::text {

// method_name by CalcMethod.
inline constexpr int kReportMethodAstm = 3600;     // "ASTM D 2887-2013, метод А."
inline constexpr int kReportMethod56720A = 3601;   // "ГОСТ Р 56720-2015 Метод А."
inline constexpr int kReportMethod56720B = 3602;   // "ГОСТ Р 56720-2015 Метод Б."
inline constexpr int kReportMethod54291 = 3603;    // "ГОСТ Р 54291-2010."
inline constexpr int kReportMethodIso3924 = 3604;  // "ГОСТ ISO 3924-2017."

// File list: the role of each file.
inline constexpr int kReportRoleCalibration = 3610;  // "градуировочная"
inline constexpr int kReportRoleBlank = 3611;        // "холостая"
inline constexpr int kReportRoleAnalysis = 3612;     // "анализ - %i"
inline constexpr int kReportRoleStandard = 3613;     // "стандарт - %i"
inline constexpr int kReportRoleReference = 3614;    // "эталон"
inline constexpr int kReportRoleCheck = 3615;        // "проверочная"

// Table headings carried by the document.
inline constexpr int kReportResponseHeader = 3620;  // "Относительные коэффициенты отклика"
inline constexpr int kReportGasoilLot1 = 3621;         // "Газойль партия №1"
inline constexpr int kReportGasoilLot2 = 3622;         // "Газойль партия №2"
inline constexpr int kReportGasoilPassport = 3623;     // "Паспорт газойля №: "
inline constexpr int kReportTemperatureColumn = 3624;  // "T%i"
inline constexpr int kReportFractions = 3625;          // "Фракции"
inline constexpr int kReportConcentration = 3626;      // "Конц. %i, %%масс"
inline constexpr int kReportMeanConcentration = 3627;  // "Конц.ср, % масс"
inline constexpr int kReportAccuracy = 3628;           // "±δ, %"
inline constexpr int kReportDifference = 3629;         // "Расхождение, %"
inline constexpr int kReportLimit = 3630;              // "Норматив, %"
inline constexpr int kReportConformity = 3631;         // "Соотв"

// Report settings: the dialog's caption and the nine check boxes, in the order of the
// report's sections.
inline constexpr int kReportOptionsCaption = 3640;  // "Настройки отчета"
inline constexpr int kReportFlagFiles = 3641;       // "Список файлов"
inline constexpr int kReportFlagGradChart = 3642;   // "Градуировочный график"
inline constexpr int kReportFlagRespRate = 3643;  // "Таблица относительных коэфф. отклика"
inline constexpr int kReportFlagRefTable = 3644;   // "Проверка эталонного образца"
inline constexpr int kReportFlagPropChart = 3645;  // "Кривая разгонки"
inline constexpr int kReportFlagPropTable = 3646;  // "Таблица долей отгона"
inline constexpr int kReportFlagFractTable = 3647;  // "Компонентно-фракционный состав"
inline constexpr int kReportFlagIso3405 = 3648;  // "Доли отгона ISO 3405"
inline constexpr int kReportFlagMsgs = 3649;     // "Системные сообщения"

// Why a report was not made (told by the command line; the windows stay silent).
inline constexpr int kReportNoStyleSheet = 3660;  // "Нет таблицы стилей отчета: %s"
inline constexpr int kReportTransformFailed = 3661;  // "Не удалось преобразовать отчет: %s"
inline constexpr int kReportCannotWrite = 3662;  // "Не удалось записать отчет в %s: %s"
inline constexpr int kReportNoPicture = 3663;  // "Не удалось получить рисунок графика."
inline constexpr int kReportDocumentFailed = 3664;  // "Не удалось построить документ отчета."
inline constexpr int kReportNoTempFile = 3665;  // "Не удалось создать временный файл отчета: %s"
inline constexpr int kReportWritten = 3666;      // "Отчет: %s"
inline constexpr int kReportBadSections = 3667;  // "Неизвестный раздел отчета: %s"
// "Отчет записан в %s, но программу для его просмотра запустить не удалось."
inline constexpr int kReportNoViewer = 3668;

}  // namespace p528::text
