#include "sequence_summary_window.h"

#include "host_texts.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace p528::host {

namespace {

QString Temperature(const QJsonValue& value) {
  const double temp = value.toDouble(-1.0);
  return temp == -1.0 ? QStringLiteral("---") : QString::number(temp, 'f', 1);
}

QString Repeatability(const QJsonObject& repeatability) {
  const int judged = repeatability.value(QStringLiteral("judged")).toInt();
  const int exceeded = repeatability.value(QStringLiteral("exceeded")).toInt();
  if (judged == 0) return T("не оценена", "not judged");
  if (exceeded == 0) return T("в пределах", "within");
  return T("превышена: %1 из %2", "exceeded: %1 of %2").arg(exceeded).arg(judged);
}

QStringList Texts(const QJsonValue& array) {
  QStringList texts;
  for (const QJsonValue& value : array.toArray()) texts << value.toString();
  return texts;
}

}  // namespace

SequenceSummaryWindow::SequenceSummaryWindow(const QByteArray& summaryJson, const QString& folder,
                                             const QString& exitText, QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(this)) {
  setObjectName(QStringLiteral("sequenceSummary"));
  setWindowTitle(T("Обработка последовательности", "Sequence processing"));
  const QJsonObject summary = QJsonDocument::fromJson(summaryJson).object();
  const QJsonArray samples = summary.value(QStringLiteral("samples")).toArray();

  table_->setObjectName(QStringLiteral("sequenceSamples"));
  table_->setColumnCount(7);
  table_->setHorizontalHeaderLabels({T("Проба", "Sample"), T("Результат", "Result"), T("Тнк, °C", "IBP, °C"),
                                     T("Ткк, °C", "FBP, °C"), T("Повторяемость", "Repeatability"),
                                     T("Ошибки", "Errors"), T("Хроматограммы", "Runs")});
  table_->setRowCount(static_cast<int>(samples.size()));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setVisible(false);
  int failed = 0;
  for (int row = 0; row < samples.size(); ++row) {
    const QJsonObject sample = samples.at(row).toObject();
    const bool done = sample.value(QStringLiteral("status")).toString() == QStringLiteral("done");
    failed += done ? 0 : 1;
    const QString result =
        done ? T("рассчитана", "done")
             : T("не рассчитана: %1", "failed: %1").arg(sample.value(QStringLiteral("failure")).toString());
    const QStringList cells = {
        sample.value(QStringLiteral("sample")).toString(),
        result,
        Temperature(sample.value(QStringLiteral("ibp"))),
        Temperature(sample.value(QStringLiteral("fbp"))),
        Repeatability(sample.value(QStringLiteral("repeatability")).toObject()),
        QString::number(
            sample.value(QStringLiteral("messages")).toObject().value(QStringLiteral("errors")).toInt()),
        Texts(sample.value(QStringLiteral("runs"))).join(QStringLiteral(", ")),
    };
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (!done) item->setForeground(QColor(0xB0, 0x00, 0x00));
      table_->setItem(row, column, item);
    }
    reports_ << sample.value(QStringLiteral("report")).toString();
  }
  table_->resizeColumnsToContents();
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < reports_.size() && !reports_[row].isEmpty())
      QDesktopServices::openUrl(QUrl::fromLocalFile(reports_[row]));
  });

  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(T("Проб: %1, не рассчитано: %2. %3", "Samples: %1, failed: %2. %3")
                                 .arg(samples.size())
                                 .arg(failed)
                                 .arg(exitText),
                             this);
  heading->setWordWrap(true);
  layout->addWidget(heading);
  layout->addWidget(table_, 1);
  const QJsonArray leftOut = summary.value(QStringLiteral("leftOut")).toArray();
  if (!leftOut.isEmpty()) {
    QStringList lines;
    for (const QJsonValue& value : leftOut) {
      const QJsonObject run = value.toObject();
      const QString who = run.value(QStringLiteral("path")).toString();
      lines << (who.isEmpty() ? T("анализ %1", "assay %1").arg(run.value(QStringLiteral("assayId")).toInt())
                              : who) +
                   QStringLiteral(": ") + run.value(QStringLiteral("reason")).toString();
    }
    auto* left =
        new QLabel(T("Не вошли в расчёт:", "Left out:") + QStringLiteral("\n") + lines.join('\n'), this);
    left->setObjectName(QStringLiteral("leftOut"));
    left->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(left);
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(T("Закрыть", "Close"), QDialogButtonBox::RejectRole);
  QPushButton* open = buttons->addButton(T("Открыть папку", "Open folder"), QDialogButtonBox::ActionRole);
  connect(open, &QPushButton::clicked, this,
          [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(900, 420);
}

}  // namespace p528::host
