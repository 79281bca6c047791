#include "ui/pages/message_page.h"

#include "ui/control_ids.h"
#include "ui/ui_text.h"
#include "ui/window_texts.h"
#include "workbench/workbench.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace p528::ui {

namespace msgid = control::messages;

QString DisplayText(const std::string& text) {
  QString shown = Qs(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

CDlgMSG::CDlgMSG(Workbench& workbench, QWidget* parent)
    : QWidget(parent),
      workbench_(workbench),
      text_(new QPlainTextEdit(this)),
      errors_(new QCheckBox(Text(workbench.shell(), text::kMessagesErrors), this)),
      warnings_(new QCheckBox(Text(workbench.shell(), text::kMessagesWarnings), this)),
      information_(new QCheckBox(Text(workbench.shell(), text::kMessagesInformation), this)) {
  text_->setObjectName(Id(msgid::kText));
  text_->setReadOnly(true);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  errors_->setObjectName(Id(msgid::kErrors));
  warnings_->setObjectName(Id(msgid::kWarnings));
  information_->setObjectName(Id(msgid::kInformation));

  auto* filters = new QHBoxLayout;
  for (QCheckBox* box : {errors_, warnings_, information_}) {
    filters->addWidget(box);
    connect(box, &QCheckBox::clicked, this, &CDlgMSG::FiltersClicked);
  }
  filters->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(text_, 1);
  layout->addLayout(filters);
  Refresh();
}

void CDlgMSG::Refresh() {
  const MessageLog& log = workbench_.messages();
  errors_->setChecked(log.showErrors);
  warnings_->setChecked(log.showWarnings);
  information_->setChecked(log.showInformation);
  text_->setPlainText(DisplayText(log.Text()));
}

QString CDlgMSG::ShownText() const { return text_->toPlainText(); }

void CDlgMSG::FiltersClicked() {
  const std::string& text =
      workbench_.FilterMessages(errors_->isChecked(), warnings_->isChecked(), information_->isChecked());
  text_->setPlainText(DisplayText(text));
}

void CDlgMSG::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace p528::ui
