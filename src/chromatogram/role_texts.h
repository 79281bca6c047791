// Texts of the chromatogram roles (strings/<lang>/numbered.inc): the passport texts that give
// a file its role, and the texts of the file list's role column.
#pragma once

namespace p528::text {

// Passport role texts (field "Chrm_Type").
inline constexpr int kRolePassportCalibration = 278;  // "#градуировочная"
inline constexpr int kRolePassportBlank = 279;        // "#холостая"
inline constexpr int kRolePassportAnalysis = 280;     // "#анализ"
inline constexpr int kRolePassportStandard = 281;     // "#стандарт"
inline constexpr int kRolePassportReference = 282;    // "#эталон"
inline constexpr int kRolePassportCheck = 283;        // "#проверочная"

// Role column of the file list.
inline constexpr int kRoleListNone = 137;
inline constexpr int kRoleListCalibration = 138;
inline constexpr int kRoleListBlank = 139;
inline constexpr int kRoleListAnalysis = 140;  // "анализ - %i"
inline constexpr int kRoleListAnalysisUnnumbered = 141;
inline constexpr int kRoleListStandard = 142;  // "стандарт - %i"
inline constexpr int kRoleListStandardUnnumbered = 143;
inline constexpr int kRoleListReference = 144;
inline constexpr int kRoleListCheck = 145;

}  // namespace p528::text
