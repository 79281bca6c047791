// The dialog "Компоненты" (Qt): the component table in the list grid, with buttons to
// add a user component and to delete the selected ones. Edits are pending until OK; the
// caller then applies them (Edits()) and saves the table. "Отмена" drops them. The rules
// are ComponentsEditor's.
//
// Object names: the dialog "154", the list "1095", the buttons "1096", "1097", "1" (OK, the
// default) and "2". The table must not change while the dialog lives. User-interface
// thread only.
#pragma once

#include "workbench/component_edits.h"

#include <QDialog>

namespace p528::ui {

class EditGrid;

class CComponents : public QDialog {
  Q_OBJECT

 public:
  CComponents(const Shell& shell, const ComponentTable& table, QWidget* parent = nullptr);
  ~CComponents() override;

  const ComponentEdits& Edits() const { return editor_.Edits(); }
  EditGrid* List() const { return list_; }

 private:
  void Add();
  void Delete();
  void Ok();

  ComponentsEditor editor_;
  EditGrid* list_;
};

}  // namespace p528::ui
