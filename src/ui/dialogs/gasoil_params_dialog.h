// The dialog "Параметры эталона" (Qt), opened from the analysis settings: the 21 points of
// the user's own reference gas oil in the list grid CGridCtrl (only temperatures and deviations
// edit) and its passport number. OK stores all rows and a passport number longer than one
// character; "Отмена" stores nothing. The rules are GasoilParamsList's.
//
// Object names: the dialog "CDlgGasoilParams", the list "list", the passport field
// "passport", the buttons "ok" and "cancel". User-interface thread only.
#pragma once

#include "workbench/gasoil_params_list.h"

#include <QDialog>

class QLineEdit;

namespace p528::ui {

class EditGrid;

class CDlgGasoilParams : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgGasoilParams(const Shell& shell, QWidget* parent = nullptr);
  ~CDlgGasoilParams() override;

  EditGrid* List() const { return list_; }

 private:
  void Ok();

  GasoilParamsList params_;
  EditGrid* list_;
  QLineEdit* passport_;
};

using GasoilParamsDialog = CDlgGasoilParams;

}  // namespace p528::ui
