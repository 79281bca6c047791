#include "assay_chooser.h"

#include "assay_table_model.h"
#include "assay_table_style.h"
#include "dialog_driver.h"
#include "host/kit/assay_filter.h"
#include "host/kit/assay_roles.h"
#include "host_texts.h"
#include "host_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace p528::host {

namespace {

// The moment of the first or the last assay offered (0 when none has a time).
int64_t EndTime(const hostkit::AssayDatabase& database, hostkit::AssayFilter filter, bool last) {
  filter.orderBy = hostkit::AssayColumn::Time;
  filter.descending = last;
  try {
    for (const hostkit::AssayRecord& row : database.Page(filter, 0, 64)) {
      if (row.andate != 0) return row.andate;
    }
  } catch (const std::exception&) {
  }
  return 0;
}

}  // namespace

AssayChooser::AssayChooser(const hostkit::AssayDatabase& database, const std::string& dataFolder,
                           QWidget* owner)
    : QDialog(owner),
      model_(new AssayTableModel(database, dataFolder, this)),
      text_(new QLineEdit(this)),
      role_(new QComboBox(this)),
      byDate_(new QCheckBox(Tr(Text::ChooserFrom), this)),
      from_(new QDateEdit(this)),
      until_(new QDateEdit(this)),
      table_(new QTableView(this)),
      count_(new QLabel(this)) {
  setObjectName(QStringLiteral("assayChooser"));
  setWindowTitle(Tr(Text::ChooserTitle));
  setModal(true);
  text_->setObjectName(QStringLiteral("chooserText"));
  text_->setClearButtonEnabled(true);
  role_->setObjectName(QStringLiteral("chooserRole"));
  role_->addItem(Tr(Text::RoleAny), QStringList());
  // Each role once, in the interface language, whichever language its rows were filed in.
  std::vector<std::string> texts;
  try {
    texts = database.RoleTexts();
  } catch (const std::exception&) {
  }
  for (int role = 1; role <= 6; ++role) {
    QStringList named;
    for (const std::string& text : hostkit::RoleTextsOf(role)) {
      if (std::find(texts.begin(), texts.end(), text) != texts.end()) named << Q(text);
    }
    if (!named.isEmpty()) role_->addItem(RoleCaption(hostkit::StoredRoleText(role)), named);
  }
  for (const std::string& text : texts) {
    if (hostkit::RoleOfText(text) == 0) role_->addItem(Q(text), QStringList{Q(text)});
  }

  // The date range starts as the range of the assays offered.
  hostkit::AssayFilter offered;
  offered.hidden = false;
  const int64_t first = EndTime(database, offered, false), last = EndTime(database, offered, true);
  const QDate today = QDate::currentDate();
  from_->setDate(first != 0 ? QDateTime::fromSecsSinceEpoch(first).date() : today);
  until_->setDate(last != 0 ? QDateTime::fromSecsSinceEpoch(last).date() : today);
  for (QDateEdit* edit : {from_, until_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setEnabled(false);
  }
  byDate_->setObjectName(QStringLiteral("chooserByDate"));

  auto* filters = new QGridLayout();
  filters->addWidget(new QLabel(Tr(Text::ChooserText), this), 0, 0);
  filters->addWidget(text_, 0, 1, 1, 3);
  filters->addWidget(new QLabel(Tr(Text::ChooserRole), this), 1, 0);
  filters->addWidget(role_, 1, 1, 1, 3);
  filters->addWidget(byDate_, 2, 0);
  filters->addWidget(from_, 2, 1);
  filters->addWidget(new QLabel(Tr(Text::ChooserUntil), this), 2, 2);
  filters->addWidget(until_, 2, 3);

  table_->setObjectName(QStringLiteral("chooserAssays"));
  table_->setModel(model_);
  StyleAssayTable(*table_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(AssayTableModel::ColTime, Qt::DescendingOrder);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Tr(Text::Ok));
  buttons->button(QDialogButtonBox::Cancel)->setText(Tr(Text::Cancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(table_, 1);
  auto* bottom = new QHBoxLayout();
  bottom->addWidget(count_, 1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  // The list is filtered when the typing pauses, not at every key.
  auto* pause = new QTimer(this);
  pause->setSingleShot(true);
  pause->setInterval(250);
  connect(pause, &QTimer::timeout, this, [this] { Refill(); });
  connect(text_, &QLineEdit::textChanged, pause, qOverload<>(&QTimer::start));
  connect(role_, &QComboBox::currentIndexChanged, this, [this] { Refill(); });
  connect(byDate_, &QCheckBox::toggled, this, [this](bool on) {
    from_->setEnabled(on);
    until_->setEnabled(on);
    Refill();
  });
  connect(from_, &QDateEdit::dateChanged, this, [this] { Refill(); });
  connect(until_, &QDateEdit::dateChanged, this, [this] { Refill(); });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateCount(); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { UpdateCount(); });
  connect(table_, &QTableView::doubleClicked, this, [this] { accept(); });
  resize(900, 480);
  Refill();
}

void AssayChooser::Refill() {
  hostkit::AssayFilter filter = model_->filter();
  filter.hidden = false;
  filter.deleted = false;
  filter.maxId = hostkit::kMaxPluginAssayId;  // the plug-in takes 32-bit ids: a larger one is not offered
  filter.text = text_->text().trimmed().toStdString();
  filter.roles.clear();
  for (const QString& text : role_->currentData().toStringList()) filter.roles.push_back(text.toStdString());
  filter.from.reset();
  filter.until.reset();
  if (byDate_->isChecked()) {
    filter.from = QDateTime(from_->date(), QTime(0, 0)).toSecsSinceEpoch();
    filter.until = QDateTime(until_->date().addDays(1), QTime(0, 0)).toSecsSinceEpoch();
  }
  model_->SetFilter(filter);
  UpdateCount();
}

void AssayChooser::UpdateCount() {
  // Counted by ranges of rows: a selection of every row of a long list is not walked through.
  qsizetype selected = 0;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection()) selected += range.height();
  const int64_t total = model_->Total();
  count_->setText(
      Tr(Text::ChooserCount).arg(selected).arg(total >= 0 ? QString::number(total) : QStringLiteral("…")));
}

std::vector<int> AssayChooser::ChosenIds(size_t capacity) const {
  // The selection is kept as ranges of rows: only the rows chosen are read.
  std::vector<std::pair<int, int>> ranges;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection())
    ranges.emplace_back(range.top(), range.bottom());
  std::sort(ranges.begin(), ranges.end());
  std::vector<int> ids;
  int next = 0;
  for (const auto& [top, bottom] : ranges) {
    for (int r = std::max(top, next); r <= bottom && ids.size() < capacity; ++r)
      ids.push_back(static_cast<int>(model_->IdAt(r)));  // offered only below 2^31
    next = std::max(next, bottom + 1);
  }
  return ids;
}

void AssayChooser::SelectIds(const std::vector<int>& ids) {
  table_->clearSelection();
  if (ids.empty()) {
    model_->FetchAll();
    table_->selectAll();
    return;
  }
  model_->FetchAll();
  for (int r = 0; r < model_->rowCount(); ++r) {
    if (std::find(ids.begin(), ids.end(), model_->IdAt(r)) != ids.end()) {
      table_->selectionModel()->select(model_->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
}

int RunAssayChooser(const hostkit::AssayDatabase& database, const std::string& dataFolder, QWidget* owner,
                    int* ids, int capacity, DialogDriver* driver) {
  AssayChooser chooser(database, dataFolder, owner);
  if (driver != nullptr) driver->Drive(chooser);
  if (chooser.exec() != QDialog::Accepted) return 0;
  if (ids == nullptr || capacity <= 0) return 0;
  const std::vector<int> chosen = chooser.ChosenIds(static_cast<size_t>(capacity));
  const int count = static_cast<int>(chosen.size());
  std::copy_n(chosen.begin(), count, ids);
  return count;
}

}  // namespace p528::host
