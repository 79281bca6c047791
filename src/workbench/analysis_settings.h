// The rules of the analysis settings dialog that decide about values, without the dialog:
// the filter applied to every numeric edit on each change, the normalisation of a number
// on OK, and the OK itself (which texts are normalised, which are stored in the settings).
// The window's dialog and the command line both edit CAnalysis through these, so a value
// typed in either place ends up the same in the engine and in the profile.
//
// User-interface thread only.
#pragma once

#include <string>
#include <string_view>

namespace p528 {

class CAnalysis;

// The filter of a numeric edit: "," becomes "."; characters other than digits, "." and "-"
// are deleted; only the first "." stays (a "0" is put before a "." that would open the
// text or follow a leading "-"); a "-" anywhere but first is deleted.
// "12,5" -> "12.5", "," -> "0.", "-.5" -> "-0.5", "1ab2" -> "12", "5-" -> "5".
std::string NumericFilter(std::string_view text);

// Normalisation on OK: when `text` and `stored` convert (decimal-prefix rule) to the same
// number, `text` is left as it is and false is returned. Otherwise `text` becomes
// max(minimum, value) with `decimals` decimals, trailing zeros removed, "0" appended after
// a final "." (2 -> "2.0", 1.50 -> "1.5"), and true is returned.
bool NormalizeNumberText(std::string& text, std::string_view stored, int decimals, double minimum);

// Opening the dialog: rereads "method", "TimeStartSample", "step_mark", "start_mark" and
// "type_ref_gasoil" from the settings and takes the saved copies of the six other texts.
void OpenAnalysisSettings(CAnalysis& analysis);

// OK of the dialog: normalises the texts and stores what changed ("TimeStartSample" 3
// decimals >= 0, "step_mark" 1 decimal >= 0.5, "start_mark" 1 decimal >= 0, "method" and
// "type_ref_gasoil" when they differ from the stored values; StepPercent 1 decimal >= 0.1
// when the user set it, the masses and mass fractions 4 decimals >= 0, not stored). The
// caller then recalculates.
void AcceptAnalysisSettings(CAnalysis& analysis);

// Cancel of the dialog: the method, the reference choice, "TimeStartSample" and the marks
// are read from the settings again, the six texts that are not stored (and whether the
// percent step follows the method's default) return to their saved copies. The engine then
// calculates with what is stored and what the next opening shows.
void CancelAnalysisSettings(CAnalysis& analysis);

}  // namespace p528
