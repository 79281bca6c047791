#include "workbench/analysis_settings.h"

#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"

#include <algorithm>

namespace p528 {

std::string NumericFilter(std::string_view text) {
  std::string out;
  bool pointKept = false;
  for (char c : text) {
    if (c == ',') c = '.';
    if (c == '-') {
      if (out.empty()) out += c;
      continue;
    }
    if (c == '.') {
      if (pointKept) continue;
      pointKept = true;
      if (out.empty() || out == "-") out += '0';
      out += c;
      continue;
    }
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

bool NormalizeNumberText(std::string& text, std::string_view stored, int decimals, double minimum) {
  const double value = DecimalPrefix(text);
  if (value == DecimalPrefix(stored)) return false;
  std::string normal = Format("%.*f", decimals, std::max(minimum, value));
  while (!normal.empty() && normal.back() == '0') normal.pop_back();
  if (!normal.empty() && normal.back() == '.') normal += '0';
  text = normal;
  return true;
}

void OpenAnalysisSettings(CAnalysis& analysis) {
  analysis.LoadSettings();
  analysis.SavedStepPercent = analysis.StepPercent;
  analysis.SavedSampleMass = analysis.SampleMass;
  analysis.SavedStdMass = analysis.StdMass;
  analysis.SavedH2SPercent = analysis.H2SPercent;
  analysis.SavedMercaptanPercent = analysis.MercaptanPercent;
  analysis.SavedWaterPercent = analysis.WaterPercent;
  analysis.SavedUseDefaultStep = analysis.UseDefaultStep;
}

void AcceptAnalysisSettings(CAnalysis& a) {
  const Shell& shell = a.shell;
  struct StoredText {
    std::string& text;
    const char* key;
    const char* fallback;
    int decimals;
    double minimum;
  };
  const StoredText stored[] = {
      {a.TimeStartSample, "TimeStartSample", "0.0", 3, 0.0},
      {a.step_mark, "step_mark", "10.0", 1, 0.5},
      {a.start_mark, "start_mark", "70.0", 1, 0.0},
  };
  for (const StoredText& s : stored) {
    const std::string current = ReadSettingText(shell, kSectionSettings, s.key, s.fallback);
    if (NormalizeNumberText(s.text, current, s.decimals, s.minimum)) {
      WriteSettingText(shell, kSectionSettings, s.key, s.text);
    }
  }
  if (a.Method != ReadSettingInt(shell, kSectionSettings, "method", -1)) {
    WriteSettingInt(shell, kSectionSettings, "method", a.Method);
  }
  if (a.UseDefaultStep == 0) NormalizeNumberText(a.StepPercent, a.SavedStepPercent, 1, 0.1);
  NormalizeNumberText(a.SampleMass, a.SavedSampleMass, 4, 0.0);
  NormalizeNumberText(a.StdMass, a.SavedStdMass, 4, 0.0);
  NormalizeNumberText(a.H2SPercent, a.SavedH2SPercent, 4, 0.0);
  NormalizeNumberText(a.MercaptanPercent, a.SavedMercaptanPercent, 4, 0.0);
  NormalizeNumberText(a.WaterPercent, a.SavedWaterPercent, 4, 0.0);
  if (a.RefType != ReadSettingInt(shell, kSectionSettings, "type_ref_gasoil", 0)) {
    WriteSettingInt(shell, kSectionSettings, "type_ref_gasoil", a.RefType);
  }
}

void CancelAnalysisSettings(CAnalysis& a) {
  // What the settings hold is what the next opening shows: the engine must not calculate
  // with a method or marks the user chose and then cancelled.
  a.LoadSettings();
  a.UseDefaultStep = a.SavedUseDefaultStep;
  a.StepPercent = a.SavedStepPercent;
  a.SampleMass = a.SavedSampleMass;
  a.StdMass = a.SavedStdMass;
  a.H2SPercent = a.SavedH2SPercent;
  a.MercaptanPercent = a.SavedMercaptanPercent;
  a.WaterPercent = a.SavedWaterPercent;
}

}  // namespace p528
