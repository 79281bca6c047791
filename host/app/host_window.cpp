#include "host_window.h"

#include "assay_table_model.h"
#include "assay_table_style.h"
#include "host/kit/assay_filter.h"
#include "host/kit/assay_roles.h"
#include "host/kit/role_change.h"
#include "host/kit/service_table.h"
#include "host_prompts.h"
#include "host_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <set>

namespace p528::host {

namespace {

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
      model_(new AssayTableModel(database, dataFolder_, this)),
      table_(new QTableView(this)),
      filter_(new QLineEdit(this)),
      status_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      filterPause_(new QTimer(this)) {
  setObjectName(QStringLiteral("hostWindow"));
  setWindowTitle(Tr(Text::AppTitle));
  table_->setObjectName(QStringLiteral("assays"));
  table_->setModel(model_);
  StyleAssayTable(*table_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(AssayTableModel::ColTime, Qt::DescendingOrder);
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
  // The list is filtered when the typing pauses, not at every key.
  filterPause_->setSingleShot(true);
  filterPause_->setInterval(250);
  connect(filterPause_, &QTimer::timeout, this, [this] { Refresh(); });
  connect(filter_, &QLineEdit::textChanged, filterPause_, qOverload<>(&QTimer::start));
  connect(table_, &QTableView::doubleClicked, this, [this] { open_->trigger(); });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateCommands(); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { UpdateCommands(); });
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
      if (const std::optional<hostkit::AssayRecord> record = Record(id); record && openFile)
        openFile(record->filename);
    }
  });
  changeRole_ = assay->addAction(Tr(Text::ChangeRole), this, [this] { ChangeRoleCommand(); });
  hide_ = assay->addAction(Tr(Text::HideAssay), this, [this] {
    const std::vector<int64_t> ids = SelectedIds();
    const std::optional<hostkit::AssayRecord> first = ids.empty() ? std::nullopt : Record(ids.front());
    const bool hide = !first || !first->hidden;
    for (int64_t id : ids) SetHidden(id, hide);
  });
  delete_ = assay->addAction(Tr(Text::DeleteAssay), this, [this] {
    for (int64_t id : SelectedIds()) Delete(id, true);
  });
  delete_->setShortcut(QKeySequence::Delete);
  restore_ = assay->addAction(Tr(Text::RestoreAssay), this, [this] {
    for (int64_t id : SelectedIds()) Restore(id);
  });

  QMenu* view = menuBar()->addMenu(Tr(Text::MenuView));
  showHidden_ = view->addAction(Tr(Text::ShowHidden));
  showDeleted_ = view->addAction(Tr(Text::ShowDeleted));
  for (QAction* toggle : {showHidden_, showDeleted_}) toggle->setCheckable(true);
  showHidden_->setChecked(true);  // as before: hidden assays are listed, greyed
  for (QAction* toggle : {showHidden_, showDeleted_})
    connect(toggle, &QAction::toggled, this, [this] { Refresh(); });

  QToolBar* tools = addToolBar(Tr(Text::MenuAssay));
  tools->setObjectName(QStringLiteral("tools"));
  tools->setMovable(false);
  tools->addAction(importFiles);
  tools->addAction(importFolder);
  tools->addSeparator();
  tools->addAction(open_);
  tools->addAction(hide_);
  tools->addAction(delete_);
  tools->addAction(restore_);
  UpdateCommands();
}

void HostWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) QApplication::quit();
}

void HostWindow::UpdateCommands() {
  const std::vector<int64_t> ids = SelectedIds(2);
  const std::optional<hostkit::AssayRecord> first = ids.empty() ? std::nullopt : Record(ids.front());
  open_->setEnabled(!ids.empty());
  hide_->setEnabled(!ids.empty());
  delete_->setEnabled(!ids.empty());
  changeRole_->setEnabled(ids.size() == 1);
  restore_->setEnabled(first && (first->deleted || first->hidden));
  hide_->setText(first && first->hidden ? Tr(Text::UnhideAssay) : Tr(Text::HideAssay));
}

void HostWindow::Refresh() {
  filterPause_->stop();
  std::set<int64_t> selected;
  for (int64_t id : SelectedIds()) selected.insert(id);
  hostkit::AssayFilter filter = model_->filter();
  filter.text = filter_->text().trimmed().toStdString();
  filter.hidden = showHidden_->isChecked();
  filter.deleted = showDeleted_->isChecked();
  std::string error;
  if (!model_->SetFilter(filter, &error)) {
    ShowStatus(QString::fromStdString(error));
    UpdateCommands();
    return;
  }
  // The selection is kept for the rows near the top (a reread list is not walked through).
  const int near = std::min(model_->rowCount(), 1024);
  for (int r = 0; r < near && !selected.empty(); ++r) {
    if (selected.count(model_->IdAt(r)) != 0) {
      table_->selectionModel()->select(model_->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  const int64_t total = model_->Total();
  ShowStatus(total >= 0 ? Tr(Text::StatusAssays).arg(total) : Tr(Text::StatusFound));
  UpdateCommands();
}

int HostWindow::ShownCount() const {
  const int64_t total = model_->Total();
  return total >= 0 ? static_cast<int>(total) : model_->rowCount();
}

std::vector<hostkit::AssayRecord> HostWindow::ShownRecords() const {
  model_->FetchAll();
  std::vector<hostkit::AssayRecord> shown;
  for (int r = 0; r < model_->rowCount(); ++r) {
    if (const hostkit::AssayRecord* record = model_->Record(r)) shown.push_back(*record);
  }
  return shown;
}

std::vector<int64_t> HostWindow::SelectedIds(size_t limit) const {
  // By ranges of rows, top to bottom: a selection of a whole long list is read only as far
  // as it is needed.
  std::vector<int64_t> ids;
  if (table_->selectionModel() == nullptr) return ids;
  std::vector<std::pair<int, int>> ranges;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection())
    ranges.emplace_back(range.top(), range.bottom());
  std::sort(ranges.begin(), ranges.end());
  int next = 0;
  for (const auto& [top, bottom] : ranges) {
    for (int r = std::max(top, next); r <= bottom && ids.size() < limit; ++r) ids.push_back(model_->IdAt(r));
    next = std::max(next, bottom + 1);
  }
  return ids;
}

std::optional<hostkit::AssayRecord> HostWindow::Record(int64_t id) const {
  try {
    return database_.Find(id);
  } catch (const std::exception&) {
    return std::nullopt;
  }
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

void HostWindow::Restore(int64_t id) {
  try {
    database_.SetDeleted(id, false);
    database_.SetHidden(id, false);
  } catch (const std::exception& error) {
    prompts_.Tell(this, QString::fromUtf8(error.what()), true);
  }
  Refresh();
}

bool HostWindow::ChangeRole(int64_t id, int role) {
  const std::string problem = hostkit::ChangeAssayRole(database_, dataFolder_, id, role);
  if (!problem.empty())
    prompts_.Tell(this, Tr(Text::ChangeRoleFailed).arg(static_cast<qlonglong>(id)).arg(Q(problem)), true);
  Refresh();
  return problem.empty();
}

void HostWindow::ChangeRoleCommand() {
  const std::vector<int64_t> ids = SelectedIds();
  const std::optional<hostkit::AssayRecord> record = ids.size() == 1 ? Record(ids.front()) : std::nullopt;
  if (!record) return;
  QStringList roles;
  for (int role = 1; role <= 6; ++role) roles << RoleCaption(hostkit::StoredRoleText(role));
  const int current = hostkit::RoleOfText(record->role);
  bool ok = false;
  const QString chosen = QInputDialog::getItem(
      this, Tr(Text::ChangeRoleTitle), Tr(Text::ChangeRoleQuestion).arg(record->id).arg(Q(record->sample)),
      roles, current >= 1 ? current - 1 : 0, false, &ok);
  const int role = static_cast<int>(roles.indexOf(chosen)) + 1;
  if (ok && role >= 1 && role != current) ChangeRole(record->id, role);
}

void HostWindow::ShowHiddenAndDeleted(bool hidden, bool deleted) {
  const QSignalBlocker blockHidden(showHidden_), blockDeleted(showDeleted_);
  showHidden_->setChecked(hidden);
  showDeleted_->setChecked(deleted);
  Refresh();
}

void HostWindow::OfferRestore(const hostkit::ImportReport& report) {
  for (const hostkit::SkippedFile& skipped : report.skipped) {
    if (skipped.reason != hostkit::SkipReason::Duplicate) continue;
    const std::optional<hostkit::AssayRecord> row = Record(skipped.detail);
    if (!row || (!row->deleted && !row->hidden)) continue;
    if (prompts_.Confirm(this, Tr(Text::RestoreDuplicate).arg(Q(skipped.source)).arg(row->id)))
      Restore(row->id);
  }
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
    OfferRestore(report);
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
