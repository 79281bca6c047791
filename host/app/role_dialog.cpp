#include "role_dialog.h"

#include "dialog_driver.h"
#include "host_texts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace p528::host {

RoleDialog::RoleDialog(int fileCount, std::vector<QString> roleTexts, const std::vector<aia::RoleRule>& rules,
                       QWidget* owner)
    : QDialog(owner), roleTexts_(std::move(roleTexts)), rules_(new QTableWidget(0, 2, this)) {
  setObjectName(QStringLiteral("roleDialog"));
  setWindowTitle(Tr(Text::RoleTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Tr(Text::RoleQuestion).arg(fileCount), this));
  auto* group = new QButtonGroup(this);
  for (size_t i = 0; i <= roleTexts_.size(); ++i) {
    auto* button = new QRadioButton(i < roleTexts_.size() ? roleTexts_[i] : Tr(Text::RoleByRules), this);
    button->setObjectName(QStringLiteral("role%1").arg(i < roleTexts_.size() ? i + 1 : 0));
    group->addButton(button);
    layout->addWidget(button);
    roles_.push_back(button);
  }

  auto* hint = new QLabel(Tr(Text::RoleRulesHint), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  rules_->setObjectName(QStringLiteral("rules"));
  rules_->setHorizontalHeaderLabels({Tr(Text::RuleSampleText), Tr(Text::ColumnRole)});
  rules_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  rules_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  rules_->verticalHeader()->hide();
  rules_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rules_->setMinimumHeight(150);
  layout->addWidget(rules_, 1);
  for (const aia::RoleRule& rule : rules) AddRule(rule);

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
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Tr(Text::Ok));
  buttons->button(QDialogButtonBox::Cancel)->setText(Tr(Text::Cancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // The rules are where a laboratory starts once it keeps them; else the role of samples.
  Pick(rules.empty() ? 3 : 0);
  resize(520, sizeHint().height());
}

void RoleDialog::AddRule(const aia::RoleRule& rule) {
  const int row = rules_->rowCount();
  rules_->insertRow(row);
  rules_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(rule.text)));
  auto* role = new QComboBox(rules_);
  for (const QString& text : roleTexts_) role->addItem(text);
  role->setCurrentIndex(rule.role - 1);
  rules_->setCellWidget(row, 1, role);
}

void RoleDialog::Pick(int role) {
  const size_t index = role >= 1 && role <= static_cast<int>(roleTexts_.size())
                           ? static_cast<size_t>(role - 1)
                           : roles_.size() - 1;
  roles_[index]->setChecked(true);
}

aia::AiaRoleChoice RoleDialog::Choice() const {
  aia::AiaRoleChoice choice;
  for (size_t i = 0; i + 1 < roles_.size(); ++i) {
    if (roles_[i]->isChecked()) choice.role = static_cast<int>(i) + 1;
  }
  choice.byRules = roles_.back()->isChecked();
  for (int r = 0; r < rules_->rowCount(); ++r) {
    const auto* role = qobject_cast<QComboBox*>(rules_->cellWidget(r, 1));
    const QTableWidgetItem* text = rules_->item(r, 0);
    if (role == nullptr || role->currentIndex() < 0) continue;
    choice.rules.push_back(
        {text != nullptr ? text->text().trimmed().toStdString() : std::string(), role->currentIndex() + 1});
  }
  return choice;
}

std::optional<aia::AiaRoleChoice> AskAiaRole(int fileCount, const std::vector<QString>& roleTexts,
                                             const std::vector<aia::RoleRule>& rules, QWidget* owner,
                                             DialogDriver* driver) {
  RoleDialog dialog(fileCount, roleTexts, rules, owner);
  if (driver != nullptr) driver->Drive(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace p528::host
