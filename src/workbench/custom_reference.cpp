#include "workbench/custom_reference.h"

#include "engine/texts/reference_texts.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/string_table.h"
#include "shell/text.h"

#include <cmath>

namespace p528 {

namespace {

constexpr const char* kPassportKey = "gasoilPasportNum";
constexpr const char* kUnset = "-1";
constexpr const char* kNoValue = "---";

std::string TempKey(int row) { return Format("%d_temp", row); }
std::string DeltaKey(int row) { return Format("%d_delta", row); }

const char* RussianText(int id) {
  const char* text = RussianStrings().Find(id);
  return text != nullptr ? text : "";
}

}  // namespace

double GasoilRowPercent(int row) {
  if (row == 0) return 0.5;
  if (row >= 1 && row <= 19) return row * 5.0;
  if (row == 20) return 99.5;
  return -1.0;
}

CustomReference::CustomReference() {
  Label(RussianText(text::kGasoilIbpLabel), RussianText(text::kGasoilFbpLabel));
}

CustomReference::CustomReference(const Shell& shell) {
  Label(shell.Str(text::kGasoilIbpLabel).c_str(), shell.Str(text::kGasoilFbpLabel).c_str());
}

void CustomReference::Label(const char* ibp, const char* fbp) {
  for (int i = 0; i < kGasoilRowCount; ++i) {
    GasoilParamRow& row = rows[static_cast<std::size_t>(i)];
    row.percent = GasoilRowPercent(i);
    row.label = i == 0 ? std::string(ibp) : i == kGasoilRowCount - 1 ? std::string(fbp) : Format("%d", i * 5);
  }
}

CustomReference CustomReference::FromSettings(const Shell& shell) {
  CustomReference reference(shell);
  reference.Load(shell);
  return reference;
}

void CustomReference::Load(const Shell& shell) {
  for (int i = 0; i < kGasoilRowCount; ++i) {
    GasoilParamRow& row = rows[static_cast<std::size_t>(i)];
    row.temperature = DecimalPrefix(ReadSettingText(shell, kSectionGasoil, TempKey(i), kUnset));
    row.deviation = DecimalPrefix(ReadSettingText(shell, kSectionGasoil, DeltaKey(i), kUnset));
  }
  passportNumber = ReadSettingText(shell, kSectionGasoil, kPassportKey, "");
}

void CustomReference::Save(const Shell& shell) const {
  for (int i = 0; i < kGasoilRowCount; ++i) {
    const GasoilParamRow& row = rows[static_cast<std::size_t>(i)];
    WriteSettingText(shell, kSectionGasoil, TempKey(i), Format("%.0f", row.temperature));
    WriteSettingText(shell, kSectionGasoil, DeltaKey(i), Format("%.1f", row.deviation));
  }
  if (PassportNumberStorable(passportNumber))
    WriteSettingText(shell, kSectionGasoil, kPassportKey, passportNumber);
}

double CustomReference::TemperatureAt(double percent) const {
  for (const GasoilParamRow& row : rows)
    if (row.percent == percent) return row.temperature;
  return -1.0;
}

double CustomReference::DeviationAt(double percent) const {
  for (const GasoilParamRow& row : rows)
    if (row.percent == percent) return row.deviation;
  return -1.0;
}

std::string CustomReference::TemperatureText(int row) const {
  if (row < 0 || row >= kGasoilRowCount) return kNoValue;
  const double t = rows[static_cast<std::size_t>(row)].temperature;
  return t > 0 ? Format("%.0f", t) : kNoValue;
}

std::string CustomReference::DeviationText(int row) const {
  if (row < 0 || row >= kGasoilRowCount) return kNoValue;
  const double d = rows[static_cast<std::size_t>(row)].deviation;
  return d > 0 ? Format("%.1f", d) : kNoValue;
}

std::string CustomReference::PassportText() const {
  return PassportNumberStorable(passportNumber) ? passportNumber : kNoValue;
}

void CustomReference::SetTemperatureText(int row, std::string_view text) {
  if (row < 0 || row >= kGasoilRowCount) return;
  rows[static_cast<std::size_t>(row)].temperature = TypedNumber(text);
}

void CustomReference::SetDeviationText(int row, std::string_view text) {
  if (row < 0 || row >= kGasoilRowCount) return;
  rows[static_cast<std::size_t>(row)].deviation = TypedNumber(text);
}

ReferenceGasoil CalculationReference(const CustomReference& reference) {
  ReferenceGasoil points;
  for (const GasoilParamRow& row : reference.rows)
    points.points.push_back({row.percent, row.temperature, row.deviation});
  return points;
}

bool PassportNumberStorable(std::string_view text) { return Utf8ToUtf16(text).size() > 1; }

}  // namespace p528
