// The dialog "Компоненты" (Qt): the component table in an editable list, with buttons to
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

class EditList;

class CComponents : public QDialog {
  Q_OBJECT

 public:
  CComponents(const Shell& shell, const ComponentTable& table, QWidget* parent = nullptr);

  const ComponentEdits& Edits() const { return editor_.Edits(); }
  EditList* List() const { return list_; }

 private:
  void Add();
  void Delete();

  ComponentsEditor editor_;
  EditList* list_;
};

}  // namespace p528::ui
