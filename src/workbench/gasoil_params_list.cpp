#include "workbench/gasoil_params_list.h"

#include "engine/texts/reference_texts.h"
#include "shell/shell.h"
#include "shell/text.h"

namespace p528 {

GasoilParamsList::GasoilParamsList(const Shell& shell)
    : shell_(shell), reference_(CustomReference::FromSettings(shell)) {
  list_.AppendColumn(shell.Str(text::kGasoilColumnNumber), 35, ColumnAlign::Left);
  list_.AppendColumn(shell.Str(text::kGasoilColumnPercent), 100, ColumnAlign::Right);
  list_.AppendColumn(shell.Str(text::kGasoilColumnTemp), 150, ColumnAlign::Left);
  list_.AppendColumn(shell.Str(text::kGasoilColumnDelta), 160, ColumnAlign::Left);
  for (int i = 0; i < kGasoilRowCount; ++i) {
    list_.AppendRow({Format("%d", i), reference_.rows[static_cast<std::size_t>(i)].label,
                     reference_.TemperatureText(i), reference_.DeviationText(i)});
  }
}

bool GasoilParamsList::MayEditCell(int row, int column) {
  return row >= 0 && row < kGasoilRowCount &&
         (column == GasoilColumnTemperature || column == GasoilColumnDeviation);
}

bool GasoilParamsList::CellChanged(int row, int column) {
  // The cell then shows the number as it will be stored, not the text typed.
  if (column == GasoilColumnTemperature) {
    reference_.SetTemperatureText(row, list_.Cell(row, column));
    list_.SetCell(row, column, reference_.TemperatureText(row));
  }
  if (column == GasoilColumnDeviation) {
    reference_.SetDeviationText(row, list_.Cell(row, column));
    list_.SetCell(row, column, reference_.DeviationText(row));
  }
  return true;
}

void GasoilParamsList::Accept(const std::string& passportField) {
  // The rows are always written; the stored passport number changes only for a text of two
  // characters or more (CustomReference::Save).
  reference_.passportNumber = passportField;
  reference_.Save(shell_);
}

}  // namespace p528
