// The assay chooser ("Main/OpenAssayIdDlgEx"): a modal dialog listing the visible assays
// (neither hidden nor deleted), newest first, read lazily from the database, with a filter
// by sample, file name or folder, role and analysis date, multiple selection, OK and
// Cancel. The chosen ids are those of the selected rows, top to bottom.
#pragma once

#include "host/kit/assay_database.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;

namespace p528::host {

class AssayTableModel;

class AssayChooser : public QDialog {
  Q_OBJECT

 public:
  AssayChooser(const hostkit::AssayDatabase& database, const std::string& dataFolder, QWidget* owner);

  // At most `capacity` ids.
  std::vector<int> ChosenIds(size_t capacity = SIZE_MAX) const;
  // Selects the rows of these ids (all shown rows when `ids` is empty).
  void SelectIds(const std::vector<int>& ids);

 private:
  void Refill();
  void UpdateCount();

  AssayTableModel* model_;
  QLineEdit* text_;
  QComboBox* role_;
  QCheckBox* byDate_;
  QDateEdit* from_;
  QDateEdit* until_;
  QTableView* table_;
  QLabel* count_;
};

class DialogDriver;

// Runs the chooser for "Main/OpenAssayIdDlgEx": writes at most `capacity` chosen ids into
// `ids` and returns their count (0 for Cancel). `driver` (when set) answers in place of a person.
int RunAssayChooser(const hostkit::AssayDatabase& database, const std::string& dataFolder, QWidget* owner,
                    int* ids, int capacity, DialogDriver* driver);

}  // namespace p528::host
