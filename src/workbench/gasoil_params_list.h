// The dialog "Параметры эталона" without its window: the 21 points of the user's own
// reference gas oil as an editable list (columns "№", "Доля отгона, %", "Температура
// кипения, °C", "Допустимое отклонение, °C") and its passport number.
//
// Opening loads the reference from the settings; only the temperature and the deviation
// cells edit, and an edited text is converted at once (a comma as the decimal separator,
// then the decimal-prefix rule) into the row's value; the cell then shows that value as it
// will be stored ("%.0f", "%.1f", "---" when not above 0). Accept (OK) writes all 21 rows and, when the
// passport field holds more than one character, the passport number; dropping the object
// (Cancel) writes nothing. User-interface thread only.
#pragma once

#include "lists/table_model.h"
#include "workbench/custom_reference.h"
#include "workbench/edit_list.h"

#include <string>

namespace p528 {

class Shell;

enum GasoilParamsColumn : int {
  GasoilColumnIndex = 0,        // row index "0".."20"
  GasoilColumnLabel = 1,        // "Тнк(IBP)", "5", ... "Ткк(FBP)"
  GasoilColumnTemperature = 2,  // "%.0f", "---" when not above 0
  GasoilColumnDeviation = 3,    // "%.1f", "---" when not above 0
};

class GasoilParamsList : public EditListOwner {
 public:
  explicit GasoilParamsList(const Shell& shell);

  TableModel& List() { return list_; }
  const CustomReference& Reference() const { return reference_; }
  // What the passport field shows on opening: the stored number, "---" when shorter than
  // two characters.
  std::string PassportFieldText() const { return reference_.PassportText(); }

  bool MayEditCell(int row, int column) override;
  bool CellChanged(int row, int column) override;

  // OK: the rows, then the passport field's text when it is longer than one character.
  void Accept(const std::string& passportField);

 private:
  const Shell& shell_;
  CustomReference reference_;
  TableModel list_;
};

}  // namespace p528
