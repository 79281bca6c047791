// Numbers of the main window's and its pages' texts in the string table (strings/<lang>/
// window.inc, 4000-4199, and the numbered texts they share with the original templates).
#pragma once

namespace p528::text {

// Main window (template 102).
inline constexpr int kMainWindowTitle = 130;  // "Доп расчет 528. Версия: %s "
inline constexpr int kMainAdd = 4001;
inline constexpr int kMainRemove = 4002;
inline constexpr int kMainRemoveAll = 4003;
inline constexpr int kMainOpenInHost = 4004;
inline constexpr int kMainInstrumentLabel = 4005;  // "Номер прибора:"
inline constexpr int kMainComponents = 4006;
inline constexpr int kMainAnalysisSettings = 4007;
inline constexpr int kMainReportSettings = 4008;
inline constexpr int kMainReport = 4009;
inline constexpr int kMainSaveReport = 4010;
inline constexpr int kMainInstrumentNumber = 4011;  // caption of the refusal of a typed number

// The calculators of the calibration tab and of the enlarged calibration chart.
inline constexpr int kCalculateY = 1008;  // "Рассчитать Y по X"
inline constexpr int kCalculateX = 1009;  // "Рассчитать X по Y"

// Calibration tab (page 135).
inline constexpr int kCalibrationXAxis = 4020;       // "Ось X:"
inline constexpr int kCalibrationYAxis = 4021;       // "Ось Y:"
inline constexpr int kCalibrationFirstTime = 4022;   // "C1 (Метан):"; C2 .. C4 follow to 4025
inline constexpr int kCalibrationResolution = 4026;  // "Разреш. способность:"
inline constexpr int kCalibrationCalculator = 4027;  // "Расчет по графику"
inline constexpr int kCalibrationTimes = 4028;       // "Время выхода, мин"
inline constexpr int kCalibrationEnlargedTitle = 307;  // "Градуировочный график (температура кипения/ время)"

// Distillation page (page 150) and its enlarged chart.
inline constexpr int kDistillationGroup = 4040;  // "Анализ 1"; analyses 2 and 3 follow
inline constexpr int kDistillationShow = 4043;   // "Отобразить"
inline constexpr int kXLabel = 4044;             // "X:", also in both enlarged charts
inline constexpr int kYLabel = 4045;             // "Y:"
inline constexpr int kDistillationCalculateY = 4046;
inline constexpr int kDistillationCalculateX = 4047;
inline constexpr int kDistillationEnlargedTitle = 4048;

// System messages page (page 131): its check boxes' captions carry their control ids' numbers.
inline constexpr int kMessagesErrors = 1011;
inline constexpr int kMessagesWarnings = 1012;
inline constexpr int kMessagesInformation = 1013;

}  // namespace p528::text
