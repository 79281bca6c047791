#include "host_window.h"

#include "assay_table_style.h"
#include "host/kit/assay_filter.h"
#include "host/kit/service_table.h"
#include "host_prompts.h"
#include "host_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <filesystem>
#include <set>

namespace p528::host {

namespace {

constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kIdRole = Qt::UserRole + 2;

enum Column { ColId, ColSample, ColTime, ColRole, ColFile, ColumnCount };

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString SkipText(const hostkit::SkippedFile& skipped) {
  switch (skipped.reason) {
    case hostkit::SkipReason::UnknownFormat: return Tr(Text::SkipUnknownFormat);
    case hostkit::SkipReason::Unreadable: return Tr(Text::SkipUnreadable).arg(Q(skipped.error));
    case hostkit::SkipReason::NotChromatogram:
      return Tr(Text::SkipNotChromatogram)
          .arg(skipped.error.empty() ? ReadStatusText(static_cast<int>(skipped.detail)) : Q(skipped.error));
    case hostkit::SkipReason::Duplicate:
      return Tr(Text::SkipDuplicate).arg(static_cast<qlonglong>(skipped.detail));
    case hostkit::SkipReason::NotStored: return Tr(Text::SkipNotStored).arg(Q(skipped.error));
  }
  return {};
}

}  // namespace

QString PlainTitle(const QString& title) {
  QString plain = title;
  plain.remove(QLatin1Char('&'));
  return plain;
}

QString AnalysisTimeText(int64_t andate) {
  if (andate == 0) return {};
  return QDateTime::fromSecsSinceEpoch(andate).toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

HostWindow::HostWindow(hostkit::AssayDatabase& database, std::string dataFolder,
                       const hostkit::FormatTable& formats, HostPrompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      database_(database),
      dataFolder_(std::filesystem::absolute(dataFolder).lexically_normal().string()),
      formats_(formats),
      prompts_(prompts),
      model_(new QStandardItemModel(0, ColumnCount, this)),
      sorted_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)),
      filter_(new QLineEdit(this)),
      status_(new QLabel(this)),
      progress_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("hostWindow"));
  setWindowTitle(Tr(Text::AppTitle));
  model_->setHorizontalHeaderLabels({Tr(Text::ColumnId), Tr(Text::ColumnSample), Tr(Text::ColumnTime),
                                     Tr(Text::ColumnRole), Tr(Text::ColumnFile)});
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(kSortRole);
  sorted_->setSortLocaleAware(true);
  table_->setObjectName(QStringLiteral("assays"));
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(ColId, Qt::AscendingOrder);
  StyleAssayTable(*table_);
  table_->setAlternatingRowColors(true);

  filter_->setObjectName(QStringLiteral("filter"));
  filter_->setPlaceholderText(Tr(Text::FilterHint));
  filter_->setClearButtonEnabled(true);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* filterRow = new QHBoxLayout();
  filterRow->addWidget(new QLabel(Tr(Text::Filter), central));
  filterRow->addWidget(filter_, 1);
  layout->addLayout(filterRow);
  layout->addWidget(table_, 1);
  setCentralWidget(central);

  status_->setObjectName(QStringLiteral("status"));
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setMaximumWidth(220);
  progress_->hide();
  statusBar()->addWidget(status_, 1);
  statusBar()->addPermanentWidget(progress_);

  BuildMenus();
  connect(filter_, &QLineEdit::textChanged, this, [this] { Refresh(); });
  connect(table_, &QTableView::doubleClicked, this, [this] { open_->trigger(); });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateCommands(); });
  resize(1000, 600);
  Refresh();
}

void HostWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(Tr(Text::MenuFile));
  QAction* importFiles = file->addAction(Tr(Text::ImportFiles), this, [this] { ImportFilesCommand(); });
  importFiles->setShortcut(QKeySequence::Open);
  QAction* importFolder = file->addAction(Tr(Text::ImportFolder), this, [this] { ImportFolderCommand(); });
  file->addSeparator();
  QAction* quit = file->addAction(Tr(Text::Quit), this, [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);

  QMenu* assay = menuBar()->addMenu(Tr(Text::MenuAssay));
  open_ = assay->addAction(Tr(Text::OpenAssay), this, [this] {
    for (int64_t id : SelectedIds()) {
      if (const hostkit::AssayRecord* record = Record(id); record != nullptr && openFile)
        openFile(record->filename);
    }
  });
  hide_ = assay->addAction(Tr(Text::HideAssay), this, [this] {
    const std::vector<int64_t> ids = SelectedIds();
    const hostkit::AssayRecord* first = ids.empty() ? nullptr : Record(ids.front());
    const bool hide = first == nullptr || !first->hidden;
    for (int64_t id : ids) SetHidden(id, hide);
  });
  delete_ = assay->addAction(Tr(Text::DeleteAssay), this, [this] {
    for (int64_t id : SelectedIds()) Delete(id, true);
  });
  delete_->setShortcut(QKeySequence::Delete);

  QToolBar* tools = addToolBar(Tr(Text::MenuAssay));
  tools->setObjectName(QStringLiteral("tools"));
  tools->setMovable(false);
  tools->addAction(importFiles);
  tools->addAction(importFolder);
  tools->addSeparator();
  tools->addAction(open_);
  tools->addAction(hide_);
  tools->addAction(delete_);
  UpdateCommands();
}

void HostWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) QApplication::quit();
}

void HostWindow::UpdateCommands() {
  const std::vector<int64_t> ids = SelectedIds();
  open_->setEnabled(!ids.empty());
  hide_->setEnabled(!ids.empty());
  delete_->setEnabled(!ids.empty());
  const hostkit::AssayRecord* first = ids.empty() ? nullptr : Record(ids.front());
  hide_->setText(first != nullptr && first->hidden ? Tr(Text::UnhideAssay) : Tr(Text::HideAssay));
}

void HostWindow::Refresh() {
  std::set<int64_t> selected;
  for (int64_t id : SelectedIds()) selected.insert(id);
  try {
    records_ = database_.List(false);
  } catch (const std::exception& error) {
    // A database another program damaged or locked: the table stays empty and says why.
    records_.clear();
    model_->removeRows(0, model_->rowCount());
    ShowStatus(QString::fromUtf8(error.what()));
    return;
  }
  hostkit::AssayFilter filter;
  filter.text = filter_->text().trimmed().toStdString();
  const std::vector<hostkit::AssayRecord> shown = hostkit::Filtered(records_, filter);

  model_->removeRows(0, model_->rowCount());
  int hidden = 0;
  for (const hostkit::AssayRecord& record : shown) {
    QList<QStandardItem*> row;
    const QString roleText =
        record.hidden ? Q(record.role) + " (" + Tr(Text::HiddenMark) + ")" : Q(record.role);
    // Files in the data folder are shown by their place in it; the tip gives the full path.
    const std::filesystem::path relative =
        std::filesystem::path(record.filename).lexically_relative(dataFolder_);
    const bool inside = !relative.empty() && *relative.begin() != "..";
    const QString texts[ColumnCount] = {QString::number(record.id), Q(record.sample),
                                        AnalysisTimeText(record.andate), roleText,
                                        inside ? Q(relative.string()) : Q(record.filename)};
    const QVariant sortKeys[ColumnCount] = {QVariant::fromValue<qlonglong>(record.id), Q(record.sample),
                                            QVariant::fromValue<qlonglong>(record.andate), Q(record.role),
                                            Q(record.filename)};
    for (int c = 0; c < ColumnCount; ++c) {
      auto* item = new QStandardItem(texts[c]);
      item->setData(sortKeys[c], kSortRole);
      item->setData(QVariant::fromValue<qlonglong>(record.id), kIdRole);
      if (c == ColFile) item->setToolTip(Q(record.filename));
      if (record.hidden) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
      row.push_back(item);
    }
    model_->appendRow(row);
    if (record.hidden) ++hidden;
  }
  for (int r = 0; r < sorted_->rowCount(); ++r) {
    if (selected.count(sorted_->index(r, ColId).data(kIdRole).toLongLong()) != 0) {
      table_->selectionModel()->select(sorted_->index(r, ColId),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  table_->resizeColumnsToContents();
  ShowStatus(Tr(Text::StatusAssays).arg(shown.size()).arg(hidden));
  UpdateCommands();
}

std::vector<int64_t> HostWindow::ShownIds() const {
  std::vector<int64_t> ids;
  for (int r = 0; r < sorted_->rowCount(); ++r)
    ids.push_back(sorted_->index(r, ColId).data(kIdRole).toLongLong());
  return ids;
}

std::vector<hostkit::AssayRecord> HostWindow::ShownRecords() const {
  std::vector<hostkit::AssayRecord> shown;
  for (int64_t id : ShownIds()) {
    if (const hostkit::AssayRecord* record = Record(id)) shown.push_back(*record);
  }
  return shown;
}

std::vector<int64_t> HostWindow::SelectedIds() const {
  std::vector<int64_t> ids;
  if (table_->selectionModel() == nullptr) return ids;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows(ColId))
    ids.push_back(index.data(kIdRole).toLongLong());
  return ids;
}

const hostkit::AssayRecord* HostWindow::Record(int64_t id) const {
  for (const hostkit::AssayRecord& record : records_) {
    if (record.id == id) return &record;
  }
  return nullptr;
}

void HostWindow::ShowStatus(const QString& text) { status_->setText(text); }

void HostWindow::SetHidden(int64_t id, bool hidden) {
  try {
    database_.SetHidden(id, hidden);
  } catch (const std::exception& error) {
    prompts_.Tell(this, QString::fromUtf8(error.what()), true);
  }
  Refresh();
}

void HostWindow::Delete(int64_t id, bool ask) {
  if (ask && !prompts_.Confirm(this, Tr(Text::DeleteQuestion).arg(static_cast<qlonglong>(id)))) return;
  try {
    database_.SetDeleted(id, true);
  } catch (const std::exception& error) {
    prompts_.Tell(this, QString::fromUtf8(error.what()), true);
  }
  Refresh();
}

hostkit::ImportReport HostWindow::Import(const std::vector<std::string>& sources) {
  hostkit::ImportReport report;
  if (beforeImport && !beforeImport(hostkit::CollectFiles(sources, formats_))) return report;
  progress_->setValue(0);
  progress_->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    report = hostkit::ImportChromatograms(database_, dataFolder_, sources, formats_,
                                          [this](std::size_t done, std::size_t total) {
                                            progress_->setMaximum(static_cast<int>(total));
                                            progress_->setValue(static_cast<int>(done));
                                            ShowStatus(Tr(Text::StatusImporting).arg(done).arg(total));
                                            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                          });
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    progress_->hide();
    prompts_.Tell(this, Tr(Text::ImportFailed).arg(QString::fromUtf8(error.what())), true);
    Refresh();
    return {};
  }
  QApplication::restoreOverrideCursor();
  progress_->hide();
  Refresh();
  ShowStatus(Tr(Text::StatusImported).arg(report.imported.size()).arg(report.skipped.size()));
  if (!report.skipped.empty()) {
    QString text = Tr(Text::ImportSkipped);
    bool serious = false;  // a file already registered is information, not a problem
    for (const hostkit::SkippedFile& skipped : report.skipped) {
      text += "\n" + Q(skipped.source) + ": " + SkipText(skipped);
      serious = serious || skipped.reason != hostkit::SkipReason::Duplicate;
    }
    prompts_.Tell(this, text, serious);
  }
  return report;
}

void HostWindow::ImportFilesCommand() {
  QStringList patterns;
  // Both letter cases: data systems write ".CDF" as often as ".cdf", and the import
  // itself takes either.
  for (const hostkit::ChromatogramFormat& format : formats_.formats())
    patterns << "*" + Q(format.extension) << "*" + Q(format.extension).toUpper();
  const QStringList files = QFileDialog::getOpenFileNames(
      this, Tr(Text::ImportTitle), QString(), Tr(Text::ChromatogramFiles).arg(patterns.join(' ')));
  std::vector<std::string> sources;
  for (const QString& file : files) sources.push_back(file.toStdString());
  if (!sources.empty()) Import(sources);
}

void HostWindow::ImportFolderCommand() {
  const QString folder = QFileDialog::getExistingDirectory(this, Tr(Text::ImportTitle));
  if (!folder.isEmpty()) Import({folder.toStdString()});
}

QAction* HostWindow::AddMenuPath(const QString& path, std::function<void()> command) {
  QStringList levels;
  for (const std::string& level : hostkit::MenuLevels(path.toStdString())) levels.push_back(Q(level));
  if (levels.isEmpty()) return nullptr;
  QWidget* parentMenu = menuBar();
  for (int i = 0; i + 1 < levels.size(); ++i) {
    QMenu* found = nullptr;
    for (QAction* action : parentMenu->actions()) {
      if (action->menu() != nullptr && PlainTitle(action->text()) == PlainTitle(levels[i]))
        found = action->menu();
    }
    if (found == nullptr) {
      found = new QMenu(levels[i], parentMenu);
      if (auto* bar = qobject_cast<QMenuBar*>(parentMenu)) {
        bar->addMenu(found);
      } else {
        static_cast<QMenu*>(parentMenu)->addMenu(found);
      }
    }
    parentMenu = found;
  }
  if (auto* bar = qobject_cast<QMenuBar*>(parentMenu))
    return bar->addAction(levels.back(), this, std::move(command));
  return static_cast<QMenu*>(parentMenu)->addAction(levels.back(), this, std::move(command));
}

QAction* HostWindow::FindMenuAction(const QString& path) const {
  const QStringList levels = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QList<QAction*> actions = menuBar()->actions();
  for (int i = 0; i < levels.size(); ++i) {
    QAction* match = nullptr;
    for (QAction* action : actions) {
      if (PlainTitle(action->text()) == levels[i]) match = action;
    }
    if (match == nullptr) return nullptr;
    if (i + 1 == levels.size()) return match;
    if (match->menu() == nullptr) return nullptr;
    actions = match->menu()->actions();
  }
  return nullptr;
}

}  // namespace p528::host
