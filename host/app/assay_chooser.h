// The assay chooser ("Main/OpenAssayIdDlgEx"): a modal dialog listing the visible assays
// (neither hidden nor deleted) with a filter by sample or file name, role and analysis
// date, multiple selection, OK and Cancel. The chosen ids are those of the selected rows,
// top to bottom.
//
// A scripted answer (tests, pictures) selects rows and presses OK or Cancel once the
// dialog runs, so the real dialog is shown and ends by itself.
#pragma once

#include "host/kit/assay_database.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace p528::host {

class AssayChooser : public QDialog {
  Q_OBJECT

 public:
  AssayChooser(std::vector<hostkit::AssayRecord> visible, QWidget* owner);

  std::vector<int> ChosenIds() const;
  // Selects the rows of these ids (all shown rows when `ids` is empty).
  void SelectIds(const std::vector<int>& ids);

 private:
  void Refill();
  void UpdateCount();

  std::vector<hostkit::AssayRecord> visible_;
  QLineEdit* text_;
  QComboBox* role_;
  QCheckBox* byDate_;
  QDateEdit* from_;
  QDateEdit* until_;
  QTableWidget* table_;
  QLabel* count_;
};

// What a script answers the next chooser: the ids to choose (nullopt: every shown row),
// or Cancel; `picture` (when set) is a file the dialog is grabbed into before it ends.
struct ChooserAnswer {
  bool cancel = false;
  std::optional<std::vector<int>> ids;
  QString picture;
};

// Runs the chooser for "Main/OpenAssayIdDlgEx": writes at most `capacity` chosen ids into
// `ids` and returns their count (0 for Cancel). With `answer` the dialog answers itself.
int RunAssayChooser(const std::vector<hostkit::AssayRecord>& visible, QWidget* owner, int* ids, int capacity,
                    const std::optional<ChooserAnswer>& answer);

}  // namespace p528::host
