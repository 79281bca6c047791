// Texts of the repeatability check of parallel analyses and its list: messages under the
// system's own numbers (strings/<lang>/numbered.inc), list texts 3400-3435
// (strings/<lang>/results.inc) and the list's numbered captions.
#pragma once

namespace p528::text {

// Repeatability, area-normalisation methods: head line (%.1f percent) + r + difference.
inline constexpr int kRepeatExceededAstm = 3400;
inline constexpr int kRepeatExceededIso = 3401;
inline constexpr int kRepeatExceeded56720A = 3402;
inline constexpr int kRepeatLimitLine = 3403;  // "\r\n\t\t\tПредел повторяемости, °C: %.2f"
inline constexpr int kRepeatDifferenceLine = 3404;  // "\r\n\t\t\tРасхождение, °C: %.2f"
inline constexpr int kRepeatNotCovered = 234;       // point outside the calibration
// Repeatability, internal-standard methods: head line, limit and difference in one text.
inline constexpr int kRepeatFailed56720B = 240;  // %.1f percent, %.3f limit, %.3f difference
inline constexpr int kRepeatFailed54291 = 241;   // %.1f percent, %.3f limit, %.3f difference
// Residue, GOST R 54291: %.1f limit, %.1f difference.
inline constexpr int kResidueFailed54291 = 265;

// Repeatability table.
inline constexpr int kCaptionMeanTemp = 3420;    // "Тср, °C"
inline constexpr int kCaptionDifference = 3421;  // "|Т1 - Т2|"
inline constexpr int kLabelIbp = 3422;           // "Тнк (0.5)"
inline constexpr int kLabelFbp = 3423;           // "Ткк (99.5)"
inline constexpr int kCellYes = 3424;            // "Да"
inline constexpr int kCellNo = 3425;             // "Нет"
inline constexpr int kCellMissing = 3426;        // "---"
inline constexpr int kLabelLastPoint = 3427;     // "Посл. доля"
inline constexpr int kResidueHeadName = 3428;    // "Имя"
inline constexpr int kResidueHeadConc1 = 3429;   // "Конц.1, %масс" (2, 3 follow)
inline constexpr int kResidueHeadMean = 3432;    // "Ср конц., %масс"
inline constexpr int kResidueHeadDiff = 3433;    // "Расхожд, %масс"
inline constexpr int kResidueHeadNorm = 3434;    // "Норматив, %масс"
inline constexpr int kResidueName = 3435;        // "Остаток"

// Numbered captions of the list.
inline constexpr int kCaptionT2 = 155;          // "T2, °C"
inline constexpr int kCaptionT3 = 156;          // "T3, °C"
inline constexpr int kCaptionDelta = 158;       // "±Δ, °C"
inline constexpr int kCaptionConformity = 160;  // "Соответствие"
inline constexpr int kCaptionNorm = 161;        // "Норматив, °C"

}  // namespace p528::text
