#include "history_window.h"
#include "host_texts.h"

#include "host_prompts.h"
#include "register_texts.h"

#include "host/kit/assay_database.h"
#include "host/kit/register/reference_control.h"
#include "host/kit/register/register_export.h"
#include "host/kit/register/utc_day.h"
#include "shell/atomic_file.h"
#include "shell/database.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace p528::host {

namespace {

const char* const kMethods[] = {"astm-d2887-a", nullptr,      "gost-56720-a",
                                "gost-56720-b", "gost-54291", "gost-iso-3924"};

QString StateText(const hostkit::RegisterHead& head, bool outOfControl) {
  QStringList parts;
  if (outOfControl) parts << RegisterTr(RegisterText::StateOutOfControl);
  if (head.supersededBy != 0) parts << RegisterTr(RegisterText::StateSuperseded).arg(head.supersededBy);
  if (head.supersedes != 0) parts << RegisterTr(RegisterText::StateCorrects).arg(head.supersedes);
  return parts.join(QStringLiteral("; "));
}

// The rows of one result table of a result document: first cell -> the other cells.
QList<QPair<QString, QString>> TableRows(const std::string& resultJson, const char* table) {
  QList<QPair<QString, QString>> rows;
  const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(resultJson)).object();
  for (const QJsonValue& row : document["tables"].toObject()[table].toObject()["rows"].toArray()) {
    const QJsonArray cells = row.toArray();
    QStringList rest;
    for (qsizetype i = 1; i < cells.size(); ++i) rest << cells[i].toString();
    rows.append({cells.isEmpty() ? QString() : cells[0].toString(), rest.join(QStringLiteral("  "))});
  }
  return rows;
}

}  // namespace

HistoryWindow::HistoryWindow(std::string databasePath, HostPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), databasePath_(std::move(databasePath)), prompts_(prompts) {
  setObjectName(QStringLiteral("history"));
  setWindowTitle(RegisterTr(RegisterText::HistoryTitle));
  auto* layout = new QVBoxLayout(this);

  auto* filters = new QHBoxLayout;
  auto addField = [&](RegisterText caption, QWidget* field, const char* name) {
    field->setObjectName(QString::fromLatin1(name));
    filters->addWidget(new QLabel(RegisterTr(caption)));
    filters->addWidget(field);
  };
  sample_ = new QLineEdit;
  from_ = new QLineEdit;
  to_ = new QLineEdit;
  for (QLineEdit* date : {from_, to_}) {
    date->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    date->setMaximumWidth(110);
  }
  instrument_ = new QComboBox;
  method_ = new QComboBox;
  method_->addItem(RegisterTr(RegisterText::Any), -1);
  for (int m = 0; m < 6; ++m) {
    if (kMethods[m] != nullptr) method_->addItem(QString::fromLatin1(kMethods[m]), m);
  }
  addField(RegisterText::FilterSample, sample_, "sample");
  addField(RegisterText::FilterFrom, from_, "from");
  addField(RegisterText::FilterTo, to_, "to");
  addField(RegisterText::FilterInstrument, instrument_, "instrument");
  addField(RegisterText::FilterMethod, method_, "method");
  layout->addLayout(filters);

  table_ = new QTableWidget(0, 7);
  table_->setObjectName(QStringLiteral("entries"));
  table_->setHorizontalHeaderLabels(
      {RegisterTr(RegisterText::ColumnEntry), RegisterTr(RegisterText::ColumnRegistered),
       RegisterTr(RegisterText::ColumnInstrument), RegisterTr(RegisterText::ColumnMethod),
       RegisterTr(RegisterText::ColumnSample), RegisterTr(RegisterText::ColumnOperator),
       RegisterTr(RegisterText::ColumnState)});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_);

  auto* buttons = new QHBoxLayout;
  auto addButton = [&](RegisterText caption, const char* name, std::function<void()> command) {
    auto* button = new QPushButton(RegisterTr(caption));
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, std::move(command));
    buttons->addWidget(button);
  };
  addButton(RegisterText::OpenReport, "open-report", [this] { OpenReport(); });
  addButton(RegisterText::Compare, "compare", [this] { Compare(); });
  addButton(RegisterText::ControlChart, "open-control-chart", [this] {
    const std::vector<int64_t> ids = SelectedIds();
    int instrument = instrument_->currentData().toInt();
    for (const hostkit::RegisterHead& head : heads_) {
      if (!ids.empty() && head.id == ids.front()) instrument = head.instrument;
    }
    if (openControlChart) openControlChart(instrument < 0 ? 0 : instrument);
  });
  addButton(RegisterText::ExportCsv, "export-csv", [this] { Export(false); });
  addButton(RegisterText::ExportJson, "export-json", [this] { Export(true); });
  buttons->addStretch();
  status_ = new QLabel;
  buttons->addWidget(status_);
  layout->addLayout(buttons);

  for (QLineEdit* edit : {sample_, from_, to_})
    connect(edit, &QLineEdit::textChanged, this, [this] { Refresh(); });
  for (QComboBox* box : {instrument_, method_})
    connect(box, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  resize(980, 520);

  // The instruments the register knows.
  instrument_->addItem(RegisterTr(RegisterText::Any), -1);
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    for (const int number : store.Instruments()) instrument_->addItem(QString::number(number), number);
  } catch (const DataBase::SqlException&) {
    // An unreadable register is told by Refresh.
  }
  Refresh();
}

hostkit::HistoryFilter HistoryWindow::Filter(bool& valid) const {
  hostkit::HistoryFilter filter;
  valid = true;
  filter.sample = sample_->text().toStdString();
  int64_t seconds = 0;
  if (!from_->text().isEmpty()) {
    if (hostkit::ParseUtcDay(from_->text().toStdString(), seconds))
      filter.from = seconds;
    else
      valid = false;
  }
  if (!to_->text().isEmpty()) {
    if (hostkit::ParseUtcDay(to_->text().toStdString(), seconds))
      filter.before = seconds + hostkit::kSecondsPerDay;
    else
      valid = false;
  }
  if (instrument_->currentData().toInt() >= 0) filter.instrument = instrument_->currentData().toInt();
  if (method_->currentData().toInt() >= 0) filter.method = method_->currentData().toInt();
  return filter;
}

void HistoryWindow::Refresh() {
  bool valid = true;
  const hostkit::HistoryFilter filter = Filter(valid);
  if (!valid) return;  // a date still being typed filters nothing yet
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    heads_ = store.History(filter);
    outOfControl_ = hostkit::EntriesOutOfControl(store, heads_);
  } catch (const DataBase::SqlException& error) {
    heads_.clear();
    outOfControl_.clear();
    status_->setText(Q(error.what()));
    table_->setRowCount(0);
    return;
  }
  table_->setRowCount(static_cast<int>(heads_.size()));
  for (int row = 0; row < static_cast<int>(heads_.size()); ++row) {
    const hostkit::RegisterHead& h = heads_[static_cast<std::size_t>(row)];
    const bool out = outOfControl_.count(h.id) != 0;
    const QString cells[] = {QString::number(h.id),
                             Q(hostkit::UtcDateText(h.registeredAt)),
                             QString::number(h.instrument),
                             Q(h.methodName),
                             Q(h.sample),
                             Q(h.operatorName),
                             StateText(h, out)};
    for (int column = 0; column < 7; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (out) item->setForeground(QColor(0xC0, 0, 0));
      if (h.supersededBy != 0) item->setForeground(QColor(0x80, 0x80, 0x80));
      table_->setItem(row, column, item);
    }
  }
  table_->resizeColumnsToContents();
  status_->setText(RegisterTr(RegisterText::StatusEntries).arg(heads_.size()));
}

std::vector<int64_t> HistoryWindow::ShownIds() const {
  std::vector<int64_t> ids;
  for (const hostkit::RegisterHead& head : heads_) ids.push_back(head.id);
  return ids;
}

std::vector<int64_t> HistoryWindow::SelectedIds() const {
  std::vector<int64_t> ids;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    ids.push_back(heads_[static_cast<std::size_t>(index.row())].id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

void HistoryWindow::OpenReport() {
  const std::vector<int64_t> ids = SelectedIds();
  if (ids.empty()) return;
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    const std::optional<hostkit::RegisterEntry> entry = store.Entry(ids.front());
    if (!entry || entry->record.reportHtml.empty()) {
      prompts_.Tell(this, RegisterTr(RegisterText::NoReport).arg(ids.front()), false);
      return;
    }
    // A copy in the temporary folder: the register's own bytes are never handed out to be edited.
    const std::string path =
        (QDir::tempPath() + QStringLiteral("/plug528-entry-%1.html").arg(ids.front())).toStdString();
    std::string error;
    if (!WriteFileAtomically(path, entry->record.reportHtml, error)) {
      prompts_.Tell(this, RegisterTr(RegisterText::ExportFailed).arg(Q(path), Q(error)), true);
      return;
    }
    if (openFile) openFile(path);
  } catch (const DataBase::SqlException& error) {
    prompts_.Tell(this, Q(error.what()), true);
  }
}

void HistoryWindow::Compare() {
  const std::vector<int64_t> ids = SelectedIds();
  if (ids.size() != 2) {
    prompts_.Tell(this, RegisterTr(RegisterText::CompareNeedsTwo), false);
    return;
  }
  std::optional<hostkit::RegisterEntry> a, b;
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    a = store.Entry(ids[0]);
    b = store.Entry(ids[1]);
  } catch (const DataBase::SqlException& error) {
    prompts_.Tell(this, Q(error.what()), true);
    return;
  }
  if (!a || !b || !hostkit::SameSample(a->head.sample, b->head.sample)) {
    prompts_.Tell(this, RegisterTr(RegisterText::CompareSameSample), false);
    return;
  }
  auto* dialog = new QDialog(this);
  dialog->setObjectName(QStringLiteral("compare"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(RegisterTr(RegisterText::CompareTitle).arg(ids[0]).arg(ids[1]));
  auto* table = new QTableWidget(0, 3, dialog);
  table->setObjectName(QStringLiteral("comparison"));
  table->setHorizontalHeaderLabels({RegisterTr(RegisterText::CompareWhat), QStringLiteral("#%1").arg(ids[0]),
                                    QStringLiteral("#%1").arg(ids[1])});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto addRow = [table](const QString& what, const QString& left, const QString& right) {
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, new QTableWidgetItem(what));
    table->setItem(row, 1, new QTableWidgetItem(left));
    table->setItem(row, 2, new QTableWidgetItem(right));
    if (left != right) table->item(row, 2)->setForeground(QColor(0xC0, 0, 0));
  };
  const hostkit::RegisterHead& ha = a->head;
  const hostkit::RegisterHead& hb = b->head;
  addRow(RegisterTr(RegisterText::ColumnRegistered), Q(hostkit::UtcDateText(ha.registeredAt)),
         Q(hostkit::UtcDateText(hb.registeredAt)));
  addRow(RegisterTr(RegisterText::ColumnOperator), Q(ha.operatorName), Q(hb.operatorName));
  addRow(RegisterTr(RegisterText::ColumnInstrument), QString::number(ha.instrument),
         QString::number(hb.instrument));
  addRow(RegisterTr(RegisterText::ColumnMethod), Q(ha.methodName), Q(hb.methodName));
  addRow(QStringLiteral("plug528"), Q(ha.programVersion), Q(hb.programVersion));
  // The result tables as the window showed them, row by row.
  for (const char* name : {"repeatability", "fractions", "iso3405"}) {
    const auto left = TableRows(a->record.resultJson, name);
    const auto right = TableRows(b->record.resultJson, name);
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
      const QString what = i < left.size() ? left[i].first : right[i].first;
      addRow(what, i < left.size() ? left[i].second : QString(),
             i < right.size() ? right[i].second : QString());
    }
  }
  table->resizeColumnsToContents();
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(table);
  dialog->resize(900, 560);
  dialog->show();
}

void HistoryWindow::Export(bool json) {
  const QString path = QFileDialog::getSaveFileName(
      this, json ? RegisterTr(RegisterText::ExportJson) : RegisterTr(RegisterText::ExportCsv), QString(),
      json ? QStringLiteral("JSON (*.json)") : QStringLiteral("CSV (*.csv)"));
  if (path.isEmpty()) return;
  std::string error;
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    std::vector<hostkit::RegisterEntry> entries;
    for (const hostkit::RegisterHead& head : heads_) {
      if (std::optional<hostkit::RegisterEntry> entry = store.Entry(head.id))
        entries.push_back(std::move(*entry));
    }
    const std::string text =
        json ? hostkit::RegisterJson(entries, outOfControl_) : hostkit::RegisterCsv(entries, outOfControl_);
    if (!WriteFileAtomically(path.toStdString(), text, error))
      prompts_.Tell(this, RegisterTr(RegisterText::ExportFailed).arg(path, Q(error)), true);
  } catch (const DataBase::SqlException& failure) {
    prompts_.Tell(this, Q(failure.what()), true);
  }
}

}  // namespace p528::host
