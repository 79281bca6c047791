#include "assay_table_model.h"

#include "host/kit/assay_roles.h"
#include "host_texts.h"
#include "host_window.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include <filesystem>

namespace p528::host {

namespace {

hostkit::AssayColumn SortColumn(int column) {
  switch (column) {
    case AssayTableModel::ColId: return hostkit::AssayColumn::Id;
    case AssayTableModel::ColSample: return hostkit::AssayColumn::Sample;
    case AssayTableModel::ColRole: return hostkit::AssayColumn::Role;
    case AssayTableModel::ColFile: return hostkit::AssayColumn::File;
    default: return hostkit::AssayColumn::Time;
  }
}

}  // namespace

QString RoleCaption(const std::string& roleText) {
  const int role = hostkit::RoleOfText(roleText);
  if (role == 0) return Q(roleText);
  return Tr(static_cast<Text>(static_cast<int>(Text::RoleCalibrationName) + role - 1));
}

AssayTableModel::AssayTableModel(const hostkit::AssayDatabase& database, std::string dataFolder,
                                 QObject* parent)
    : QAbstractTableModel(parent), database_(database), dataFolder_(std::move(dataFolder)) {}

bool AssayTableModel::SetFilter(const hostkit::AssayFilter& filter, std::string* error) {
  beginResetModel();
  filter_ = filter;
  pages_.clear();
  rows_ = 0;
  exhausted_ = true;
  bool read = true;
  try {
    std::vector<hostkit::AssayRecord> first = database_.Page(filter_, 0, kPageRows);
    rows_ = static_cast<int>(first.size());
    exhausted_ = rows_ < kPageRows;
    pages_.emplace(0, std::move(first));
  } catch (const std::exception& failure) {
    // A database another program damaged or locked: the list stays empty and says why.
    read = false;
    if (error != nullptr) *error = failure.what();
  }
  endResetModel();
  return read;
}

int64_t AssayTableModel::Total() const {
  if (!filter_.text.empty()) return exhausted_ ? rows_ : -1;
  try {
    return database_.Count(filter_);
  } catch (const std::exception&) {
    return rows_;
  }
}

bool AssayTableModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && !exhausted_;
}

void AssayTableModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || exhausted_) return;
  const int64_t page = rows_ / kPageRows;
  const std::vector<hostkit::AssayRecord>* rows = Page(page);
  const int count = rows != nullptr ? static_cast<int>(rows->size()) : 0;
  exhausted_ = count < kPageRows || rows_ >= INT32_MAX - kPageRows;
  if (count == 0) return;
  beginInsertRows({}, rows_, rows_ + count - 1);
  rows_ += count;
  endInsertRows();
}

void AssayTableModel::FetchAll() {
  while (canFetchMore({})) fetchMore({});
}

const std::vector<hostkit::AssayRecord>* AssayTableModel::Page(int64_t page) const {
  auto found = pages_.find(page);
  if (found == pages_.end()) {
    // A page around the rows the view draws; the pages kept stay few (a scroll through a
    // million rows keeps no more than these).
    if (pages_.size() >= kPagesKept) pages_.clear();
    std::vector<hostkit::AssayRecord> rows;
    try {
      rows = database_.Page(filter_, page * kPageRows, kPageRows);
    } catch (const std::exception&) {
      return nullptr;
    }
    found = pages_.emplace(page, std::move(rows)).first;
  }
  return &found->second;
}

const hostkit::AssayRecord* AssayTableModel::Record(int row) const {
  if (row < 0 || row >= rows_) return nullptr;
  const std::vector<hostkit::AssayRecord>* page = Page(row / kPageRows);
  const auto index = static_cast<size_t>(row % kPageRows);
  return page != nullptr && index < page->size() ? &(*page)[index] : nullptr;
}

int64_t AssayTableModel::IdAt(int row) const {
  const hostkit::AssayRecord* record = Record(row);
  return record != nullptr ? record->id : 0;
}

int AssayTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int AssayTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant AssayTableModel::data(const QModelIndex& index, int role) const {
  const hostkit::AssayRecord* record = Record(index.row());
  if (record == nullptr) return {};
  switch (role) {
    case kIdRole: return QVariant::fromValue<qlonglong>(record->id);
    case Qt::ForegroundRole:
      if (record->hidden || record->deleted)
        return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
      return {};
    case Qt::FontRole:
      if (record->deleted) {
        QFont font;
        font.setStrikeOut(true);
        return font;
      }
      return {};
    case Qt::ToolTipRole: return index.column() == ColFile ? Q(record->filename) : QVariant();
    case Qt::DisplayRole: break;
    default: return {};
  }
  switch (index.column()) {
    case ColId: return QString::number(static_cast<qlonglong>(record->id));
    case ColSample: return Q(record->sample);
    case ColTime: return AnalysisTimeText(record->andate);
    case ColRole: {
      QString text = RoleCaption(record->role);
      if (record->deleted) return text + " (" + Tr(Text::DeletedMark) + ")";
      if (record->hidden) return text + " (" + Tr(Text::HiddenMark) + ")";
      return text;
    }
    case ColFile: {
      // Files in the data folder are shown by their place in it; the tip gives the full path.
      const std::filesystem::path relative =
          std::filesystem::path(record->filename).lexically_relative(dataFolder_);
      const bool inside = !dataFolder_.empty() && !relative.empty() && *relative.begin() != "..";
      return inside ? Q(relative.string()) : Q(record->filename);
    }
    default: return {};
  }
}

QVariant AssayTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static constexpr Text kCaptions[ColumnCount] = {Text::ColumnId, Text::ColumnSample, Text::ColumnTime,
                                                  Text::ColumnRole, Text::ColumnFile};
  return section >= 0 && section < ColumnCount ? Tr(kCaptions[section]) : QVariant();
}

void AssayTableModel::sort(int column, Qt::SortOrder order) {
  hostkit::AssayFilter filter = filter_;
  filter.orderBy = SortColumn(column);
  filter.descending = order == Qt::DescendingOrder;
  if (filter.orderBy == filter_.orderBy && filter.descending == filter_.descending) return;
  SetFilter(filter);
}

}  // namespace p528::host
