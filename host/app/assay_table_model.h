// The assays of the database as a table model for the main window and the chooser: id,
// sample, analysis time, role (in the interface language), file. Rows are read from the
// database a page at a time as the view asks for them: the first page when the filter is
// set, the next ones as the view scrolls towards the end (fetchMore), a page read again
// when it was dropped; filtering and sorting are the database's (hostkit::AssayFilter), so
// a million assays cost what the shown rows cost.
// Hidden assays are drawn greyed, deleted ones struck out.
#pragma once

#include "host/kit/assay_database.h"
#include "host/kit/assay_filter.h"

#include <QAbstractTableModel>

#include <map>
#include <string>
#include <vector>

namespace p528::host {

class AssayTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { ColId, ColSample, ColTime, ColRole, ColFile, ColumnCount };
  static constexpr int kIdRole = Qt::UserRole + 2;

  // `dataFolder`: files inside it are shown by their place there.
  AssayTableModel(const hostkit::AssayDatabase& database, std::string dataFolder, QObject* parent = nullptr);

  // Reads the rows of `filter` from the start (its order is the model's); false with the
  // database's message in `error` when they cannot be read (the model is then empty).
  bool SetFilter(const hostkit::AssayFilter& filter, std::string* error = nullptr);
  const hostkit::AssayFilter& filter() const { return filter_; }
  // Reads again with the same filter.
  bool Reload(std::string* error = nullptr) { return SetFilter(filter_, error); }
  // How many rows the filter gives in all, counted by the database; -1 when that would
  // take a pass over every row (a text to search), as the rows are then read as shown.
  int64_t Total() const;
  // Reads every row (the scripted actions' "list").
  void FetchAll();

  // The row at `row` (read on demand); nullptr past the end or when it cannot be read.
  const hostkit::AssayRecord* Record(int row) const;
  int64_t IdAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  static constexpr int kPageRows = 256;
  static constexpr size_t kPagesKept = 16;

  const hostkit::AssayDatabase& database_;
  std::string dataFolder_;
  hostkit::AssayFilter filter_;
  // The rows read so far; the database has no more when a page came back short.
  int rows_ = 0;
  bool exhausted_ = true;
  const std::vector<hostkit::AssayRecord>* Page(int64_t page) const;
  mutable std::map<int64_t, std::vector<hostkit::AssayRecord>> pages_;  // by page number
};

// The role column's text: the role in the interface language, or the stored text itself
// when it names no role.
QString RoleCaption(const std::string& roleText);

}  // namespace p528::host
