#include "ui/dialogs/report_options_dialog.h"

#include "report/report_texts.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace p528::ui {

CDlgOptions::CDlgOptions(const Shell& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
  setObjectName(QStringLiteral("138"));
  setWindowTitle(Text(shell, text::kReportOptionsCaption));
  SetDialogIcon(this);

  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(Text(shell, text::kReportOptionsHeading), this);
  heading->setObjectName(QStringLiteral("1031"));
  heading->setAlignment(Qt::AlignHCenter);
  layout->addWidget(heading);

  options_.LoadFlags(shell);
  for (const ReportFlagSpec& flag : ReportFlags()) {
    auto* box = new QCheckBox(Text(shell, flag.captionText), this);
    box->setObjectName(QString::number(flag.controlId));
    // Checked exactly when the report includes the section, whatever value is stored.
    box->setChecked(SectionIncluded(options_, flag.member));
    layout->addWidget(box);
    boxes_.push_back(box);
  }
  layout->addStretch();

  auto* ok = new QPushButton(Text(shell, text::kReportOptionsOk), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text(shell, text::kReportOptionsCancel), this);
  cancel->setObjectName(QStringLiteral("2"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &CDlgOptions::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDlgOptions::Ok() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    options_.*ReportFlags()[i].member = boxes_[i]->isChecked() ? 1 : 0;
  }
  options_.StoreFlags(shell_);
  accept();
}

}  // namespace p528::ui
