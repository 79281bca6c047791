#include "role_dialog.h"

#include "dialog_driver.h"
#include "host_texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace p528::host {

namespace {

QTableWidget* MakeTable(QWidget* parent, const QString& name, const QStringList& captions) {
  auto* table = new QTableWidget(0, static_cast<int>(captions.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(captions);
  table->verticalHeader()->hide();
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setStretchLastSection(false);
  return table;
}

}  // namespace

RoleDialog::RoleDialog(std::vector<RoleFile> files, std::vector<QString> roleTexts,
                       const std::vector<aia::RoleRule>& rules, QWidget* owner)
    : QDialog(owner),
      files_(std::move(files)),
      roleTexts_(std::move(roleTexts)),
      byHand_(files_.size(), false),
      files_table_(MakeTable(this, QStringLiteral("roleFiles"),
                             {Tr(Text::RoleFilesColumn), Tr(Text::ColumnSample), Tr(Text::ColumnRole)})),
      rules_(MakeTable(this, QStringLiteral("rules"), {Tr(Text::RuleSampleText), Tr(Text::ColumnRole)})) {
  setObjectName(QStringLiteral("roleDialog"));
  setWindowTitle(Tr(Text::RoleTitle));
  auto* layout = new QVBoxLayout(this);
  auto* question = new QLabel(Tr(Text::RoleQuestion).arg(files_.size()), this);
  question->setWordWrap(true);
  layout->addWidget(question);

  files_table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  files_table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  files_table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  files_table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  files_table_->setMinimumHeight(150);
  for (size_t i = 0; i < files_.size(); ++i) {
    const int row = static_cast<int>(i);
    files_table_->insertRow(row);
    auto* name = new QTableWidgetItem(QFileInfo(Q(files_[i].source)).fileName());
    name->setToolTip(Q(files_[i].source));
    files_table_->setItem(row, 0, name);
    files_table_->setItem(row, 1, new QTableWidgetItem(Q(files_[i].sample)));
    auto* role = new QComboBox(files_table_);
    for (const QString& text : roleTexts_) role->addItem(text);
    role->addItem(Tr(Text::RoleNone));
    files_table_->setCellWidget(row, 2, role);
    connect(role, &QComboBox::currentIndexChanged, this, [this, i] {
      if (!proposing_) byHand_[i] = true;
    });
  }
  layout->addWidget(files_table_, 2);

  auto* hint = new QLabel(Tr(Text::RoleRulesHint), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  rules_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  rules_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  rules_->setMinimumHeight(110);
  layout->addWidget(rules_, 1);
  for (const aia::RoleRule& rule : rules) AddRule(rule);
  connect(rules_, &QTableWidget::itemChanged, this, [this] { Propose(false); });

  auto* ruleButtons = new QHBoxLayout();
  auto* add = new QPushButton(Tr(Text::RuleAdd), this);
  auto* remove = new QPushButton(Tr(Text::RuleRemove), this);
  ruleButtons->addWidget(add);
  ruleButtons->addWidget(remove);
  ruleButtons->addStretch(1);
  layout->addLayout(ruleButtons);
  connect(add, &QPushButton::clicked, this, [this] {
    AddRule({{}, 3});
    rules_->setCurrentCell(rules_->rowCount() - 1, 0);
    rules_->editItem(rules_->item(rules_->rowCount() - 1, 0));
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (rules_->currentRow() >= 0) rules_->removeRow(rules_->currentRow());
    Propose(false);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Tr(Text::Ok));
  buttons->button(QDialogButtonBox::Cancel)->setText(Tr(Text::Cancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // Enter finishes the edit of a rule; only a click (or Space on the button) accepts.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  Propose(true);
  resize(640, sizeHint().height());
}

void RoleDialog::AddRule(const aia::RoleRule& rule) {
  const int row = rules_->rowCount();
  const QSignalBlocker quiet(rules_);
  rules_->insertRow(row);
  rules_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(rule.text)));
  auto* role = new QComboBox(rules_);
  for (const QString& text : roleTexts_) role->addItem(text);
  role->setCurrentIndex(rule.role - 1);
  rules_->setCellWidget(row, 1, role);
  connect(role, &QComboBox::currentIndexChanged, this, [this] { Propose(false); });
}

std::vector<aia::RoleRule> RoleDialog::Rules() const {
  std::vector<aia::RoleRule> rules;
  for (int r = 0; r < rules_->rowCount(); ++r) {
    const auto* role = qobject_cast<QComboBox*>(rules_->cellWidget(r, 1));
    const QTableWidgetItem* text = rules_->item(r, 0);
    if (role == nullptr || role->currentIndex() < 0) continue;
    rules.push_back(
        {text != nullptr ? text->text().trimmed().toStdString() : std::string(), role->currentIndex() + 1});
  }
  return rules;
}

void RoleDialog::Propose(bool all) {
  const std::vector<aia::RoleRule> rules = Rules();
  proposing_ = true;
  for (size_t i = 0; i < files_.size(); ++i) {
    if (byHand_[i] && !all) continue;
    const int role = aia::RoleForSample(rules, files_[i].sample);
    auto* combo = qobject_cast<QComboBox*>(files_table_->cellWidget(static_cast<int>(i), 2));
    combo->setCurrentIndex(role >= 1 ? role - 1 : static_cast<int>(roleTexts_.size()));
    if (all) byHand_[i] = false;
  }
  proposing_ = false;
}

void RoleDialog::Pick(int role) {
  if (role < 1 || role > static_cast<int>(roleTexts_.size())) return Propose(true);
  for (size_t i = 0; i < files_.size(); ++i)
    qobject_cast<QComboBox*>(files_table_->cellWidget(static_cast<int>(i), 2))->setCurrentIndex(role - 1);
}

aia::AiaRoleChoice RoleDialog::Choice() const {
  aia::AiaRoleChoice choice;
  choice.byRules = true;
  choice.rules = Rules();
  for (size_t i = 0; i < files_.size(); ++i) {
    const int index =
        qobject_cast<QComboBox*>(files_table_->cellWidget(static_cast<int>(i), 2))->currentIndex();
    choice.byFile[files_[i].source] = index < static_cast<int>(roleTexts_.size()) ? index + 1 : 0;
  }
  return choice;
}

std::optional<aia::AiaRoleChoice> AskAiaRole(const std::vector<RoleFile>& files,
                                             const std::vector<QString>& roleTexts,
                                             const std::vector<aia::RoleRule>& rules, QWidget* owner,
                                             DialogDriver* driver) {
  RoleDialog dialog(files, roleTexts, rules, owner);
  if (driver != nullptr) driver->Drive(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace p528::host
