// Control ids of the main window and its pages (docs/controls.md). Every control carries its
// id as its object name, so tests and hosts find it; an id is unique within its window.
#pragma once

namespace p528::ui::control {

// Main window (template 102).
namespace main_window {
inline constexpr int kAdd = 1000;
inline constexpr int kRemove = 1010;
inline constexpr int kRemoveAll = 1006;
inline constexpr int kOpenInHost = 1007;
inline constexpr int kInstrumentLabel = 1040;
inline constexpr int kInstrumentNumber = 1168;
inline constexpr int kComponents = 1016;
inline constexpr int kAnalysisSettings = 1014;
inline constexpr int kReportSettings = 1011;
inline constexpr int kReport = 1008;
inline constexpr int kSaveReport = 1013;
inline constexpr int kFileList = 1012;
inline constexpr int kTabs = 1005;
}  // namespace main_window

// Calibration tab (page 135).
namespace calibration {
inline constexpr int kChart = 1100;
inline constexpr int kPoints = 1101;
inline constexpr int kX = 1102;
inline constexpr int kY = 1103;
inline constexpr int kCalculateY = 1104;
inline constexpr int kCalculateX = 1105;
inline constexpr int kFirstTime = 1106;  // C1; C2 .. C4 follow to 1109
inline constexpr int kResolution = 1110;
}  // namespace calibration

// Table pages (page 146).
namespace table_page {
inline constexpr int kList = 1040;
}  // namespace table_page

// Distillation page (page 150): the chart, and the controls of analyses 1, 2 and 3.
namespace distillation {
inline constexpr int kChart = 1053;
inline constexpr int kGroups[] = {1050, 1061, 1068};
inline constexpr int kShow[] = {1047, 1057, 1064};
inline constexpr int kSwatches[] = {1048, 1056, 1063};
inline constexpr int kX[] = {1049, 1052, 1062};
inline constexpr int kY[] = {1051, 1058, 1065};
inline constexpr int kCalculateY[] = {1054, 1059, 1066};
inline constexpr int kCalculateX[] = {1055, 1060, 1067};
inline constexpr int kReadX[] = {1070, 1072, 1074};  // in the enlarged chart only
inline constexpr int kReadY[] = {1071, 1073, 1075};
}  // namespace distillation

// Enlarged calibration chart (dialog 139); the enlarged distillation chart keeps the page's
// chart id.
namespace curve_dialog {
inline constexpr int kChart = 1007;
inline constexpr int kX = 1005;
inline constexpr int kY = 1006;
inline constexpr int kCalculateY = 1008;
inline constexpr int kCalculateX = 1009;
inline constexpr int kReadX = 1010;
inline constexpr int kReadY = 1011;
}  // namespace curve_dialog

// System messages page (page 131).
namespace messages {
inline constexpr int kText = 1018;
inline constexpr int kErrors = 1011;
inline constexpr int kWarnings = 1012;
inline constexpr int kInformation = 1013;
}  // namespace messages

}  // namespace p528::ui::control
