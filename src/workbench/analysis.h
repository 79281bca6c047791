// CAnalysis: the engine as the main window, its dialogs, the report and the command line
// see it. It is the result of the last calculation (CalcResult, whose names it keeps) with
// the analysis settings as the user typed them, the settings dialog's saved copies for
// Cancel, and the wording of the result's fraction names. The calculation itself is
// Calculate (engine/calculation.h); this object only hands it the settings converted and
// takes its result.
//
// User-interface thread only.
#pragma once

#include "engine/calculation.h"

#include <string>

namespace p528 {

class Shell;

class CAnalysis : public CalcResult {
 public:
  // Reads the method, the reference choice and the settings texts from the settings store.
  explicit CAnalysis(const Shell& shell);

  // (Re)reads the settings texts, method and reference choice from the settings store.
  void LoadSettings();

  // The settings as the calculation takes them: the texts by the decimal-prefix rule, the
  // letters of the interface language, the laboratory's reference read from the settings
  // store when it is the one chosen.
  CalcSettings CurrentSettings() const;
  // TimeStartSample converted by the decimal-prefix rule.
  double TimeStartSampleValue() const;

  // Calculates `input` into this object (its earlier results are replaced, their memory
  // reused), then keeps a percent step the calculation had to take as the step text and
  // words the fraction names in the interface language.
  void Calculate(const CalcInput& input);

  // The calculation's steps on this object, for the steps' own tests: ResetCalc empties
  // every result; LoadResult, AddAnalysis and AddStdRun load runs (with TimeStartSample);
  // RunCalc runs the driver on the settings as they are in `settings`.
  void ResetCalc();
  void LoadResult(ChrmResult& result, double timeStartSample, const ChrmFile& file);
  void AddAnalysis(const ChrmFile& file);
  void AddStdRun(const ChrmFile& file);
  void RunCalc();

  // Settings texts, kept exactly as typed; converted by the decimal-prefix rule at use.
  std::string TimeStartSample = "0.0";   // "Начало выхода пробы, мин"
  std::string start_mark = "70.0";       // "Начало разметки фракций, °C"
  int UseDefaultStep = 1;                // 0 once the user types a percent step
  std::string step_mark = "10.0";        // "Шаг разметки фракций, °C"
  std::string StepPercent;               // "Шаг отгона пробы, %"; rewritten by a calculation
  std::string SampleMass = "0.0";        // "Масса пробы, г"
  std::string StdMass = "0.0";           // "Масса внутр. стандарта, г"
  std::string H2SPercent = "0.0";        // "Массовая доля сероводорода, %"
  std::string MercaptanPercent = "0.0";  // "Массовая доля меркаптановой серы, %"
  std::string WaterPercent = "0.0";      // "Массовая доля воды, %"
  // Saved copies for the settings dialog's Cancel.
  std::string SavedStepPercent;
  std::string SavedSampleMass = "0.0";
  std::string SavedStdMass = "0.0";
  std::string SavedH2SPercent = "0.0";
  std::string SavedMercaptanPercent = "0.0";
  std::string SavedWaterPercent = "0.0";
  int SavedUseDefaultStep = 1;

  int32_t Method = AstmD2887A;  // CalcMethod, settings key "method"
  int32_t RefType = Lot1;       // RefGasoilType, settings key "type_ref_gasoil"

  const Shell& shell;
};

}  // namespace p528
