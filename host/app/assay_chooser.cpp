#include "assay_chooser.h"

#include "assay_table_style.h"
#include "host/kit/assay_filter.h"
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
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace p528::host {

namespace {

constexpr int kIdRole = Qt::UserRole + 2;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

AssayChooser::AssayChooser(std::vector<hostkit::AssayRecord> visible, QWidget* owner)
    : QDialog(owner),
      visible_(std::move(visible)),
      text_(new QLineEdit(this)),
      role_(new QComboBox(this)),
      byDate_(new QCheckBox(Tr(Text::ChooserFrom), this)),
      from_(new QDateEdit(this)),
      until_(new QDateEdit(this)),
      table_(new QTableWidget(this)),
      count_(new QLabel(this)) {
  setObjectName(QStringLiteral("assayChooser"));
  setWindowTitle(Tr(Text::ChooserTitle));
  setModal(true);
  text_->setObjectName(QStringLiteral("chooserText"));
  text_->setClearButtonEnabled(true);
  role_->setObjectName(QStringLiteral("chooserRole"));
  role_->addItem(Tr(Text::RoleAny), QString());
  for (const std::string& role : hostkit::RoleTexts(visible_)) role_->addItem(Q(role), Q(role));

  // The date range starts as the range of the assays offered.
  int64_t first = 0, last = 0;
  for (const hostkit::AssayRecord& record : visible_) {
    if (record.andate == 0) continue;
    first = first == 0 ? record.andate : std::min(first, record.andate);
    last = std::max(last, record.andate);
  }
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
  table_->setColumnCount(5);
  table_->setHorizontalHeaderLabels({Tr(Text::ColumnId), Tr(Text::ColumnSample), Tr(Text::ColumnTime),
                                     Tr(Text::ColumnRole), Tr(Text::ColumnFile)});
  StyleAssayTable(*table_);

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

  connect(text_, &QLineEdit::textChanged, this, [this] { Refill(); });
  connect(role_, &QComboBox::currentIndexChanged, this, [this] { Refill(); });
  connect(byDate_, &QCheckBox::toggled, this, [this](bool on) {
    from_->setEnabled(on);
    until_->setEnabled(on);
    Refill();
  });
  connect(from_, &QDateEdit::dateChanged, this, [this] { Refill(); });
  connect(until_, &QDateEdit::dateChanged, this, [this] { Refill(); });
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateCount(); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
  resize(900, 480);
  Refill();
}

void AssayChooser::Refill() {
  hostkit::AssayFilter filter;
  filter.text = text_->text().trimmed().toStdString();
  filter.role = role_->currentData().toString().toStdString();
  if (byDate_->isChecked()) {
    filter.from = QDateTime(from_->date(), QTime(0, 0)).toSecsSinceEpoch();
    filter.until = QDateTime(until_->date().addDays(1), QTime(0, 0)).toSecsSinceEpoch();
  }
  const std::vector<hostkit::AssayRecord> shown = hostkit::Filtered(visible_, filter);
  table_->setRowCount(0);
  table_->setRowCount(static_cast<int>(shown.size()));
  for (int r = 0; r < static_cast<int>(shown.size()); ++r) {
    const hostkit::AssayRecord& record = shown[static_cast<size_t>(r)];
    const QString texts[] = {QString::number(record.id), Q(record.sample), AnalysisTimeText(record.andate),
                             Q(record.role), Q(record.filename)};
    for (int c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      item->setData(kIdRole, static_cast<int>(record.id));  // offered only below 2^31
      table_->setItem(r, c, item);
    }
  }
  table_->resizeColumnsToContents();
  UpdateCount();
}

void AssayChooser::UpdateCount() {
  count_->setText(Tr(Text::ChooserCount).arg(ChosenIds().size()).arg(table_->rowCount()));
}

std::vector<int> AssayChooser::ChosenIds() const {
  std::vector<int> ids;
  for (int r = 0; r < table_->rowCount(); ++r) {
    if (table_->item(r, 0) != nullptr && table_->item(r, 0)->isSelected())
      ids.push_back(table_->item(r, 0)->data(kIdRole).toInt());
  }
  return ids;
}

void AssayChooser::SelectIds(const std::vector<int>& ids) {
  table_->clearSelection();
  for (int r = 0; r < table_->rowCount(); ++r) {
    const int id = table_->item(r, 0)->data(kIdRole).toInt();
    if (ids.empty() || std::find(ids.begin(), ids.end(), id) != ids.end()) {
      table_->selectionModel()->select(table_->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
}

int RunAssayChooser(const std::vector<hostkit::AssayRecord>& visible, QWidget* owner, int* ids, int capacity,
                    const std::optional<ChooserAnswer>& answer) {
  AssayChooser chooser(visible, owner);
  if (answer) {
    QTimer::singleShot(0, &chooser, [&chooser, &answer] {
      chooser.SelectIds(answer->ids.value_or(std::vector<int>{}));
      if (!answer->picture.isEmpty()) chooser.grab().save(answer->picture);
      if (answer->cancel) {
        chooser.reject();
      } else {
        chooser.accept();
      }
    });
  }
  if (chooser.exec() != QDialog::Accepted) return 0;
  const std::vector<int> chosen = chooser.ChosenIds();
  const int count = std::min<int>(static_cast<int>(chosen.size()), std::max(capacity, 0));
  if (ids == nullptr) return 0;
  std::copy_n(chosen.begin(), count, ids);
  return count;
}

}  // namespace p528::host
