#include "ui/dialogs/components_dialog.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/edit_grid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace p528::ui {

CComponents::CComponents(const Shell& shell, const ComponentTable& table, QWidget* parent)
    : QDialog(parent), editor_(shell, table) {
  setObjectName(QStringLiteral("154"));
  setWindowTitle(Text(shell, text::kComponentsTitle));
  SetDialogIcon(this);

  list_ = new EditGrid(editor_.List(), editor_, this);
  list_->setObjectName(QStringLiteral("1095"));
  list_->setMinimumSize(list_->ColumnsWidth() + 24, 300);

  auto* add = new QPushButton(Text(shell, text::kComponentsAdd), this);
  add->setObjectName(QStringLiteral("1096"));
  add->setAutoDefault(false);
  auto* remove = new QPushButton(Text(shell, text::kComponentsDelete), this);
  remove->setObjectName(QStringLiteral("1097"));
  remove->setAutoDefault(false);
  auto* ok = new QPushButton(Text(shell, text::kComponentsOk), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text(shell, text::kComponentsCancel), this);
  cancel->setObjectName(QStringLiteral("2"));
  cancel->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(add, &QPushButton::clicked, this, &CComponents::Add);
  connect(remove, &QPushButton::clicked, this, &CComponents::Delete);
  connect(ok, &QPushButton::clicked, this, &CComponents::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CComponents::~CComponents() { list_->Detach(); }

void CComponents::Ok() {
  list_->EndOpenEdit();  // a value still being typed counts
  accept();
}

void CComponents::Add() {
  list_->EndOpenEdit();
  const int row = editor_.AddComponent();
  list_->Refresh();
  list_->scrollToBottom();
  list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0), QItemSelectionModel::NoUpdate);
}

void CComponents::Delete() {
  list_->EndOpenEdit();
  const std::vector<int> rows = list_->SelectedRows();
  list_->clearSelection();
  editor_.DeleteRows(rows);
  list_->Refresh();
}

}  // namespace p528::ui
