#include "ui/dialogs/analysis_settings_dialog.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/gasoil_params_dialog.h"
#include "workbench/analysis.h"
#include "workbench/analysis_settings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace p528::ui {

namespace {

struct RadioEntry {
  const char* id;
  int text;
  int value;
};

constexpr RadioEntry kMethodRadios[] = {
    {"1034", text::kAnalysisMethodAstmA, AstmD2887A},  {"1035", text::kAnalysisMethodAstmB, AstmD2887B},
    {"1025", text::kAnalysisMethod56720A, Gost56720A}, {"1026", text::kAnalysisMethod56720B, Gost56720B},
    {"1033", text::kAnalysisMethod54291, Gost54291},   {"1036", text::kAnalysisMethodIso3924, Iso3924},
};
constexpr RadioEntry kReferenceRadios[] = {
    {"1149", text::kAnalysisLot1, Lot1},
    {"1150", text::kAnalysisLot2, Lot2},
    {"1151", text::kAnalysisCustomReference, Custom},
};

struct EditEntry {
  const char* id;
  int label;
  std::string CAnalysis::*member;
};

// In the order of the form, top to bottom.
const EditEntry kEdits[] = {
    {"1037", text::kAnalysisTimeStart, &CAnalysis::TimeStartSample},
    {"1029", text::kAnalysisStepPercent, &CAnalysis::StepPercent},
    {"1028", text::kAnalysisStdMass, &CAnalysis::StdMass},
    {"1027", text::kAnalysisSampleMass, &CAnalysis::SampleMass},
    {"1024", text::kAnalysisStartMark, &CAnalysis::start_mark},
    {"1023", text::kAnalysisStepMark, &CAnalysis::step_mark},
    {"1030", text::kAnalysisH2S, &CAnalysis::H2SPercent},
    {"1031", text::kAnalysisMercaptan, &CAnalysis::MercaptanPercent},
    {"1032", text::kAnalysisWater, &CAnalysis::WaterPercent},
};
constexpr const char* kStepPercentId = "1029";
constexpr const char* kMassIds[] = {"1028", "1027"};

// Checks the radio of `value` in `group`; none when no radio has that value.
void CheckValue(QButtonGroup* group, int value) {
  QAbstractButton* radio = group->button(value);
  if (radio != nullptr) {
    radio->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(true);
}

QPushButton* Button(const Shell& shell, const char* id, int text, QWidget* parent) {
  auto* button = new QPushButton(Text(shell, text), parent);
  button->setObjectName(QString::fromLatin1(id));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

AnalysisSettingsDialog::AnalysisSettingsDialog(CAnalysis& analysis, QWidget* window,
                                               std::function<void()> recalculate, QWidget* parent)
    : QDialog(parent), analysis_(analysis), window_(window), recalculate_(std::move(recalculate)) {
  const Shell& shell = analysis.shell;
  setObjectName(QStringLiteral("141"));
  setWindowTitle(Text(shell, text::kAnalysisTitle));
  SetDialogIcon(this);

  auto* methodBox = new QVBoxLayout;
  methodBox->addWidget(new QLabel(Text(shell, text::kAnalysisMethodGroup), this));
  methods_ = new QButtonGroup(this);
  for (const RadioEntry& entry : kMethodRadios) {
    auto* radio = new QRadioButton(Text(shell, entry.text), this);
    radio->setObjectName(QString::fromLatin1(entry.id));
    radio->setEnabled(entry.value != AstmD2887B);
    methods_->addButton(radio, entry.value);
    methodBox->addWidget(radio);
  }
  methodBox->addSpacing(12);
  methodBox->addWidget(new QLabel(Text(shell, text::kAnalysisReferenceGroup), this));
  references_ = new QButtonGroup(this);
  for (const RadioEntry& entry : kReferenceRadios) {
    auto* radio = new QRadioButton(Text(shell, entry.text), this);
    radio->setObjectName(QString::fromLatin1(entry.id));
    references_->addButton(radio, entry.value);
    methodBox->addWidget(radio);
  }
  referenceParams_ = Button(shell, "1152", text::kAnalysisReferenceParams, this);
  methodBox->addWidget(referenceParams_, 0, Qt::AlignLeft);
  methodBox->addStretch();

  auto* form = new QGridLayout;
  int row = 0;
  for (const EditEntry& entry : kEdits) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(entry.id));
    auto* label = new QLabel(Text(shell, entry.label), this);
    label->setBuddy(edit);
    form->addWidget(label, row, 0);
    form->addWidget(edit, row, 1);
    if (QLatin1String(entry.id) == QLatin1String(kStepPercentId)) {
      QPushButton* reset = Button(shell, "1041", text::kAnalysisResetStep, this);
      form->addWidget(reset, ++row, 1);
      connect(reset, &QPushButton::clicked, this, &AnalysisSettingsDialog::ResetStep);
    }
    fields_.push_back({edit, entry.member});
    ++row;
  }
  form->setRowStretch(row, 1);
  form->setColumnMinimumWidth(1, 110);

  auto* columns = new QHBoxLayout;
  columns->addLayout(methodBox);
  columns->addSpacing(16);
  columns->addLayout(form);

  QPushButton* ok = Button(shell, "1046", text::kAnalysisOk, this);
  QPushButton* cancel = Button(shell, "1047", text::kAnalysisCancel, this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  for (QAbstractButton* radio : methods_->buttons()) {
    connect(radio, &QAbstractButton::clicked, this, [this] {
      TakeControls();
      UpdateMassFields();
    });
  }
  for (QAbstractButton* radio : references_->buttons()) {
    connect(radio, &QAbstractButton::clicked, this, [this] {
      TakeControls();
      UpdateReferenceButton();
    });
  }
  // Only the user's own changes are filtered: a text the dialog puts into a field (opening,
  // the step reset) is the member's own and must not count as a typed percent step.
  for (const Field& field : fields_) {
    connect(field.edit, &QLineEdit::textEdited, this, [this, field] { Filter(field); });
  }
  connect(referenceParams_, &QPushButton::clicked, this, &AnalysisSettingsDialog::ReferenceParams);
  connect(ok, &QPushButton::clicked, this, &AnalysisSettingsDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &AnalysisSettingsDialog::reject);

  // Each opening: the stored settings again, new saved copies of the other six texts.
  OpenAnalysisSettings(analysis_);
  ShowMembers();
  UpdateReferenceButton();
  UpdateMassFields();
}

void AnalysisSettingsDialog::TakeControls() {
  analysis_.Method = methods_->checkedId();
  analysis_.RefType = references_->checkedId();
  for (const Field& field : fields_) analysis_.*field.member = field.edit->text().toStdString();
}

void AnalysisSettingsDialog::ShowMembers() {
  CheckValue(methods_, analysis_.Method);
  CheckValue(references_, analysis_.RefType);
  for (const Field& field : fields_) {
    const QString text = QString::fromStdString(analysis_.*field.member);
    if (field.edit->text() != text) field.edit->setText(text);
  }
}

void AnalysisSettingsDialog::UpdateMassFields() {
  const bool enabled = IsInternalStandard(analysis_.Method);
  for (const char* id : kMassIds) {
    auto* edit = findChild<QLineEdit*>(QString::fromLatin1(id));
    if (edit->isEnabled() != enabled) edit->setEnabled(enabled);
  }
}

void AnalysisSettingsDialog::UpdateReferenceButton() {
  referenceParams_->setEnabled(analysis_.RefType == Custom);
}

void AnalysisSettingsDialog::Filter(const Field& field) {
  TakeControls();
  analysis_.*field.member = NumericFilter(analysis_.*field.member);
  if (field.member == &CAnalysis::StepPercent) analysis_.UseDefaultStep = 0;
  ShowMembers();
  field.edit->setCursorPosition(static_cast<int>(field.edit->text().size()));
}

void AnalysisSettingsDialog::ResetStep() {
  TakeControls();
  analysis_.UseDefaultStep = 1;
  analysis_.StepPercent.clear();
  ShowMembers();
}

void AnalysisSettingsDialog::Ok() {
  TakeControls();
  AcceptAnalysisSettings(analysis_);
  ShowMembers();
  if (window_ != nullptr && recalculate_) {
    QMetaObject::invokeMethod(window_, recalculate_, Qt::QueuedConnection);
  }
  TakeControls();
  QDialog::accept();
}

void AnalysisSettingsDialog::reject() {
  CancelAnalysisSettings(analysis_);
  ShowMembers();
  QDialog::reject();
}

void AnalysisSettingsDialog::ReferenceParams() {
  GasoilParamsDialog dialog(analysis_.shell, this);
  dialog.exec();
}

void AnalysisSettingsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      Ok();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace p528::ui
