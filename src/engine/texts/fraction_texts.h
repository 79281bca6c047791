// Texts of the fraction cutting and the fraction composition over parallel analyses:
// messages under the system's own numbers (strings/<lang>/numbered.inc), record names and
// labels 3440-3455 (strings/<lang>/results.inc) and the composition list's captions.
#pragma once

namespace p528::text {

// Fractions.
inline constexpr int kFractionStart = 3440;        // "начало"
inline constexpr int kFractionUnnamed = 3441;      // "без имени"
inline constexpr int kFractionName = 3442;         // "Фр. %.0f-%.0f"
inline constexpr int kFractionCountsDiffer = 242;  // warning
// Two analyses.
inline constexpr int kFractionSmallMean2 = 243;    // warning, %s name
inline constexpr int kFractionFailed2 = 244;       // error, %s name, %.1f r, %.1f difference
inline constexpr int kResidueFailed56720B2 = 246;  // error, %.1f r
// Three analyses.
inline constexpr int kFractionSmallMean3 = 247;    // warning, %s name
inline constexpr int kFractionFailed3 = 248;       // error, %s name, %.1f critical range, %.1f difference
inline constexpr int kResidueFailed56720B3 = 249;  // error, %.1f critical range, %.1f difference
inline constexpr int kFractionSumLabel = 3455;     // "сумма:"

// Numbered captions of the composition list.
inline constexpr int kCaptionConc2 = 164;         // "Конц. 2, % масс"
inline constexpr int kCaptionConc3 = 165;         // "Конц. 3, % масс"
inline constexpr int kCaptionConcMean = 166;      // "Конц. ср, % масс"
inline constexpr int kCaptionAccuracy = 167;      // "±δ, %"
inline constexpr int kCaptionFractionDiff = 168;  // "Расхождение, %"
inline constexpr int kCaptionFractionNorm = 169;  // "Норматив, %"
inline constexpr int kCaptionFractionConf = 170;  // "Соотв"

}  // namespace p528::text
