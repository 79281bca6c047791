// The user-defined reference gas oil (the choice "Использовать другой эталон"): 21 certified
// points — the initial boiling point at 0.5 %, every 5 % from 5 to 95 %, the final boiling
// point at 99.5 % — each with a boiling temperature and the deviation allowed from it, plus
// the passport number of the reference.
//
// It lives in the settings section "GasoilParams" (keys "<i>_temp", "<i>_delta" for row i =
// 0..20 and "gasoilPasportNum"). The reference check and the report load it afresh every
// time; the dialog "Параметры эталона" edits a loaded copy and saves it on OK; the command
// line fills one from a text file (tools/simdist/custom_reference_file.h) and saves it the
// same way.
//
// Temperatures and deviations in °C; -1.0 marks a value that is not set. A temperature not
// above 0 is not compared; a negative deviation leaves the point unjudged, and a deviation
// of 0 fails every compared point. User-interface thread only.
#pragma once

#include "engine/calculation.h"

#include <array>
#include <string>
#include <string_view>

namespace p528 {

class Shell;

struct GasoilParamRow {
  std::string label;          // "Тнк(IBP)", "5", "10", ... "95", "Ткк(FBP)"
  double percent = -1.0;      // percent off, %
  double temperature = -1.0;  // certified boiling temperature, °C; -1.0 not set
  double deviation = -1.0;    // allowed deviation, °C; -1.0 not set
};

inline constexpr int kGasoilRowCount = 21;

// Percent off of row i (0..20): 0.5, 5, 10, ... 95, 99.5; -1.0 outside the rows.
double GasoilRowPercent(int row);

class CustomReference {
 public:
  // 21 unset rows labelled with the module's own (Russian) texts, no passport number.
  CustomReference();
  // 21 unset rows labelled in the interface language of `shell`.
  explicit CustomReference(const Shell& shell);

  // Rows and passport number as stored in "GasoilParams": an absent key reads as -1 (rows)
  // or empty (passport); a stored text is read by the decimal-prefix rule, so one that is
  // not a number reads as 0. Labels follow the interface language.
  static CustomReference FromSettings(const Shell& shell);
  void Load(const Shell& shell);

  // Writes both keys of all 21 rows (temperature "%.0f", deviation "%.1f") and the passport
  // number when it is longer than one character (a shorter one leaves the stored number as
  // it was). Writing through a host without the profile services does nothing.
  void Save(const Shell& shell) const;

  // Temperature / allowed deviation of the first row whose percent equals `percent` exactly
  // (returned even when -1.0); -1.0 when no row has that percent.
  double TemperatureAt(double percent) const;
  double DeviationAt(double percent) const;

  // Texts of the dialog's list and passport field: temperature "%.0f" / deviation "%.1f"
  // when above 0, else "---"; the passport number, or "---" when shorter than two
  // characters. An edit ends by converting the typed text (decimal-prefix rule).
  std::string TemperatureText(int row) const;
  std::string DeviationText(int row) const;
  std::string PassportText() const;
  void SetTemperatureText(int row, std::string_view text);
  void SetDeviationText(int row, std::string_view text);

  std::array<GasoilParamRow, kGasoilRowCount> rows;
  std::string passportNumber;

 private:
  void Label(const char* ibp, const char* fbp);
};

// The rows as the calculation takes them (percent, temperature, deviation).
ReferenceGasoil CalculationReference(const CustomReference& reference);

// True when `text` has more than one character (UTF-16 units, as the settings store counts).
bool PassportNumberStorable(std::string_view text);

}  // namespace p528
