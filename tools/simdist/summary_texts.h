// Numbers of the readable summary's texts in the string table (strings/<lang>/workbench.inc,
// 3760-3778).
#pragma once

namespace p528::text {

// The methods' names by method number: 0 at 3760 .. 5 at 3765.
inline constexpr int kSummaryMethodNameFirst = 3760;  // "ASTM D 2887-13 (метод A)"
inline constexpr int kSummaryFilesHeading = 3766;     // "Файлы:"
inline constexpr int kSummaryMethodLine = 3767;       // "Метод: %s"
inline constexpr int kSummaryCalibrationLine = 3768;
inline constexpr int kSummaryAnalysisHeading = 3769;  // "Анализ %i (%s)"
inline constexpr int kSummaryStandardHeading = 3770;
inline constexpr int kSummaryReferenceHeading = 3771;
inline constexpr int kSummaryBoilingRangeLine = 3772;
inline constexpr int kSummaryPercentCaption = 3773;  // "Доля, %"
inline constexpr int kSummaryTimeCaption = 3774;     // "Время, мин"
inline constexpr int kSummaryTempCaption = 3775;     // "t, °C"
inline constexpr int kSummaryResidueLine = 3776;
inline constexpr int kSummaryStateLine = 3777;
inline constexpr int kSummaryUnknownMethod = 3778;  // "неизвестный метод %i"

}  // namespace p528::text
