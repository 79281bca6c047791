#include "ui/dialogs/gasoil_params_dialog.h"

#include "engine/texts/reference_texts.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/edit_grid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace p528::ui {

CDlgGasoilParams::CDlgGasoilParams(const Shell& shell, QWidget* parent) : QDialog(parent), params_(shell) {
  setObjectName(QStringLiteral("CDlgGasoilParams"));
  setWindowTitle(Text(shell, text::kGasoilDialogTitle));
  SetDialogIcon(this);

  list_ = new EditGrid(params_.List(), params_, this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumWidth(list_->ColumnsWidth() + 24);
  // All 21 points at once, without scrolling.
  list_->setMinimumHeight(list_->verticalHeader()->defaultSectionSize() * (kGasoilRowCount + 1) + 8);

  passport_ = new QLineEdit(QString::fromStdString(params_.PassportFieldText()), this);
  passport_->setObjectName(QStringLiteral("passport"));
  auto* passportLabel = new QLabel(Text(shell, text::kGasoilPassportLabel), this);
  passportLabel->setBuddy(passport_);

  auto* ok = new QPushButton(Text(shell, text::kGasoilOk), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text(shell, text::kGasoilCancel), this);
  cancel->setObjectName(QStringLiteral("cancel"));

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(passportLabel);
  bottom->addWidget(passport_, 1);
  bottom->addSpacing(16);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);

  connect(ok, &QPushButton::clicked, this, &CDlgGasoilParams::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDlgGasoilParams::~CDlgGasoilParams() { list_->Detach(); }

void CDlgGasoilParams::Ok() {
  list_->EndOpenEdit();  // a value still being typed counts
  params_.Accept(passport_->text().toStdString());
  accept();
}

}  // namespace p528::ui
