// Numbers of the string-table texts used by the repeatability check, the fraction
// composition and the ISO 3405 correlation: the messages under the system's own numbers
// (strings/<lang>/numbered.inc), the other texts in 3400-3599 (strings/<lang>/engine3.inc).
#pragma once

namespace p528::text {

// Repeatability, area-normalisation methods: head line (%.1f percent) + r + difference.
inline constexpr int kRepeatExceededAstm = 3400;
inline constexpr int kRepeatExceededIso = 3401;
inline constexpr int kRepeatExceeded56720A = 3402;
inline constexpr int kRepeatLimitLine = 3403;       // "\r\n\t\t\tПредел повторяемости, °C: %.2f"
inline constexpr int kRepeatDifferenceLine = 3404;  // "\r\n\t\t\tРасхождение, °C: %.2f"
inline constexpr int kRepeatNotCovered = 234;       // point outside the calibration
// Repeatability, internal-standard methods: head line, limit and difference in one text.
inline constexpr int kRepeatFailed56720B = 240;     // %.1f percent, %.3f limit, %.3f difference
inline constexpr int kRepeatFailed54291 = 241;      // %.1f percent, %.3f limit, %.3f difference
// Residue, GOST R 54291: %.1f limit, %.1f difference.
inline constexpr int kResidueFailed54291 = 265;

// Repeatability table.
inline constexpr int kCaptionMeanTemp = 3420;       // "Тср, °C"
inline constexpr int kCaptionDifference = 3421;     // "|Т1 - Т2|"
inline constexpr int kLabelIbp = 3422;              // "Тнк (0.5)"
inline constexpr int kLabelFbp = 3423;              // "Ткк (99.5)"
inline constexpr int kCellYes = 3424;               // "Да"
inline constexpr int kCellNo = 3425;                // "Нет"
inline constexpr int kCellMissing = 3426;           // "---"
inline constexpr int kLabelLastPoint = 3427;        // "Посл. доля"
inline constexpr int kResidueHeadName = 3428;       // "Имя"
inline constexpr int kResidueHeadConc1 = 3429;      // "Конц.1, %масс" (2, 3 follow)
inline constexpr int kResidueHeadMean = 3432;       // "Ср конц., %масс"
inline constexpr int kResidueHeadDiff = 3433;       // "Расхожд, %масс"
inline constexpr int kResidueHeadNorm = 3434;       // "Норматив, %масс"
inline constexpr int kResidueName = 3435;           // "Остаток"

// Fractions.
inline constexpr int kFractionStart = 3440;         // "начало"
inline constexpr int kFractionUnnamed = 3441;       // "без имени"
inline constexpr int kFractionName = 3442;          // "Фр. %.0f-%.0f"
inline constexpr int kFractionCountsDiffer = 242;   // warning
// Two analyses.
inline constexpr int kFractionSmallMean2 = 243;     // warning, %s name
inline constexpr int kFractionFailed2 = 244;        // error, %s name, %.1f r, %.1f difference
inline constexpr int kResidueFailed56720B2 = 246;   // error, %.1f r
// Three analyses.
inline constexpr int kFractionSmallMean3 = 247;     // warning, %s name
inline constexpr int kFractionFailed3 = 248;        // error, %s name, %.1f critical range, %.1f difference
inline constexpr int kResidueFailed56720B3 = 249;   // error, %.1f critical range, %.1f difference
inline constexpr int kFractionSumLabel = 3455;      // "сумма:"

// Numbered captions of the result lists.
inline constexpr int kCaptionT2 = 155;              // "T2, °C"
inline constexpr int kCaptionT3 = 156;              // "T3, °C"
inline constexpr int kCaptionDelta = 158;           // "±Δ, °C"
inline constexpr int kCaptionConformity = 160;      // "Соответствие"
inline constexpr int kCaptionNorm = 161;            // "Норматив, °C"
inline constexpr int kCaptionConc2 = 164;           // "Конц. 2, % масс"
inline constexpr int kCaptionConc3 = 165;           // "Конц. 3, % масс"
inline constexpr int kCaptionConcMean = 166;        // "Конц. ср, % масс"
inline constexpr int kCaptionAccuracy = 167;        // "±δ, %"
inline constexpr int kCaptionFractionDiff = 168;    // "Расхождение, %"
inline constexpr int kCaptionFractionNorm = 169;    // "Норматив, %"
inline constexpr int kCaptionFractionConf = 170;    // "Соотв"

}  // namespace p528::text
