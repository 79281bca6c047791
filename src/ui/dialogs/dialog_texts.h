// Numbers of the dialogs' own texts in the string table (strings/<lang>/dialogs.inc,
// 4200-4399). Texts numbered elsewhere (component columns, reference list, report check
// boxes) keep their numbers.
#pragma once

namespace p528::text {

// "Настройка анализа".
inline constexpr int kAnalysisTitle = 4200;
inline constexpr int kAnalysisMethodGroup = 4201;     // "Метод для расчета:"
inline constexpr int kAnalysisReferenceGroup = 4202;  // "Настройка анализа эталона:"
// The captions of the controls follow from 4203 in the template's order: the six method
// radios, the edit labels and the step reset, the reference radios and button, ОК, Отмена.
inline constexpr int kAnalysisMethodAstmA = 4203;
inline constexpr int kAnalysisMethodAstmB = 4204;
inline constexpr int kAnalysisMethod56720A = 4205;
inline constexpr int kAnalysisMethod56720B = 4206;
inline constexpr int kAnalysisMethod54291 = 4207;
inline constexpr int kAnalysisMethodIso3924 = 4208;
inline constexpr int kAnalysisTimeStart = 4209;
inline constexpr int kAnalysisStepPercent = 4210;
inline constexpr int kAnalysisResetStep = 4211;
inline constexpr int kAnalysisStdMass = 4212;
inline constexpr int kAnalysisSampleMass = 4213;
inline constexpr int kAnalysisStartMark = 4214;
inline constexpr int kAnalysisStepMark = 4215;
inline constexpr int kAnalysisH2S = 4216;
inline constexpr int kAnalysisMercaptan = 4217;
inline constexpr int kAnalysisWater = 4218;
inline constexpr int kAnalysisLot1 = 4219;
inline constexpr int kAnalysisLot2 = 4220;
inline constexpr int kAnalysisCustomReference = 4221;
inline constexpr int kAnalysisReferenceParams = 4222;
inline constexpr int kAnalysisOk = 4223;
inline constexpr int kAnalysisCancel = 4224;

// "Компоненты".
inline constexpr int kComponentsTitle = 4230;
inline constexpr int kComponentsAdd = 4231;
inline constexpr int kComponentsDelete = 4232;
inline constexpr int kComponentsOk = 4233;
inline constexpr int kComponentsCancel = 4234;
inline constexpr int kComponentsNotSaved = 4235;  // "...:\r\n\t%s" with the reason

// "Настройки отчета" (caption 3640, heading 1031, check boxes 3641-3649).
inline constexpr int kReportOptionsHeading = 1031;
inline constexpr int kReportOptionsOk = 4240;
inline constexpr int kReportOptionsCancel = 4241;

// "Параметры эталона" (title and list 3212-3217).
inline constexpr int kGasoilOk = 4250;
inline constexpr int kGasoilCancel = 4251;

// Caption of the report's save dialog.
inline constexpr int kSaveReportCaption = 4260;

}  // namespace p528::text
