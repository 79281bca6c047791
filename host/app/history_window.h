// The register of results in the desktop host: the entries of the host's database filtered
// by sample, date range (UTC days), instrument and method; an entry's report opened in the
// desktop's viewer; two entries of the same sample compared side by side; the listed entries
// exported as CSV or JSON; results out of control marked. The register, the filter and the
// marks are the host kit's; the window shows them.
#pragma once

#include "host/kit/register/result_register.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace p528::host {

class HostPrompts;

class HistoryWindow : public QWidget {
  Q_OBJECT

 public:
  HistoryWindow(std::string databasePath, HostPrompts& prompts, QWidget* parent = nullptr);

  // Opening a file in the desktop's viewer (set by the application).
  std::function<void(const std::string& path)> openFile;
  // Opening the control chart of an instrument (set by the application).
  std::function<void(int instrument)> openControlChart;

  // Rereads the register with the filter's values.
  void Refresh();
  // Ids of the listed entries, top to bottom, and of the out-of-control ones.
  std::vector<int64_t> ShownIds() const;
  const std::set<int64_t>& outOfControl() const { return outOfControl_; }

 private:
  hostkit::HistoryFilter Filter(bool& valid) const;
  std::vector<int64_t> SelectedIds() const;
  void OpenReport();
  void Compare();
  void Export(bool json);

  std::string databasePath_;
  HostPrompts& prompts_;
  QLineEdit* sample_;
  QLineEdit* from_;
  QLineEdit* to_;
  QComboBox* instrument_;
  QComboBox* method_;
  QTableWidget* table_;
  QLabel* status_;
  std::vector<hostkit::RegisterHead> heads_;
  std::set<int64_t> outOfControl_;
};

}  // namespace p528::host
