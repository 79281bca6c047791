// Texts of the calibration checks: resolution and relative response factors (messages
// under the system's own numbers, strings/<lang>/numbered.inc) and the verdict cells of the
// response-factor list (3200-3201, strings/<lang>/checks.inc).
#pragma once

namespace p528::text {

inline constexpr int kResolutionIso = 292;
inline constexpr int kResolution56720 = 293;
inline constexpr int kDecaneNotInTable = 294;  // "... программы не обнаружен н-Декан (C10).\r\n"
inline constexpr int kDecaneCheckImpossibleIso = 295;  // "\tПроверка ... (ГОСТ ISO 3924-2017 п. 8.4.)"
inline constexpr int kDecaneCheckImpossibleAstm = 296;
inline constexpr int kComponentNotInTable = 297;   // "%s": peak name
inline constexpr int kComponentMassMissing = 298;  // "%s": component name
inline constexpr int kResponseOutIso = 299;        // "%s": component name
inline constexpr int kResponseOutAstm = 300;
inline constexpr int kResponseValueLine = 301;  // "\r\n\t\tОтносительный отклик компонента: %.2f"
inline constexpr int kDecaneMassMissing = 302;
inline constexpr int kDecaneNotInCheckRunIso = 303;
inline constexpr int kDecaneNotInCheckRunAstm = 304;
inline constexpr int kMassHint = 305;  // information

// Verdict cells.
inline constexpr int kYes = 3200;  // "Да"
inline constexpr int kNo = 3201;   // "Нет"

}  // namespace p528::text
