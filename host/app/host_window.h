// The desktop host's main window: the assays of the database in a sortable, filterable
// table (id, sample, analysis time, role, file; newest first), read lazily from the
// database (AssayTableModel); the commands to import chromatograms, to hide, delete and
// restore (flags only: the file stays), to change the role of and to open an assay; the
// hidden and deleted assays shown on request; the menus the plug-ins add, a status line and
// a progress bar while an import runs.
//
// The window shows and forwards: the database, the import and the filter are the host
// kit's; opening an assay goes to the owner's viewer (OpenFile). User-interface thread only.
#pragma once

#include "host/kit/assay_database.h"
#include "host/kit/assay_import.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTableView;
class QTimer;

namespace p528::host {

class AssayTableModel;
class HostPrompts;

class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  HostWindow(hostkit::AssayDatabase& database, std::string dataFolder, const hostkit::FormatTable& formats,
             HostPrompts& prompts, QWidget* parent = nullptr);

  // Opening an assay's file in the viewer (set by the application).
  std::function<void(const std::string& path)> openFile;
  // Called with the files an import meets before it starts (set by the application, which
  // asks for what some formats need); false leaves the import undone.
  std::function<bool(const std::vector<hostkit::ImportCandidate>& files)> beforeImport;

  // Rereads the database into the table (with the filter's text as typed so far).
  void Refresh();
  // Imports files and folders as the import commands do; shows what was skipped.
  hostkit::ImportReport Import(const std::vector<std::string>& sources);
  // Sets or clears the hidden flag / sets the deleted flag of one assay and refreshes.
  void SetHidden(int64_t id, bool hidden);
  void Delete(int64_t id, bool ask);
  // Clears the deleted and the hidden flag of one assay.
  void Restore(int64_t id);
  // Changes the role of one assay (hostkit::ChangeAssayRole); tells why when it cannot.
  bool ChangeRole(int64_t id, int role);
  // Lists hidden / deleted assays too.
  void ShowHiddenAndDeleted(bool hidden, bool deleted);

  // Adds the menu path "Top/Sub/Item" (levels separated by "/") to the menu bar, reusing
  // menus of the same title; the item calls `command`. Returns the item's action.
  QAction* AddMenuPath(const QString& path, std::function<void()> command);
  // The action at the menu path (titles without their "&" marks); nullptr when none.
  QAction* FindMenuAction(const QString& path) const;

  // The rows shown in the table, top to bottom.
  std::vector<hostkit::AssayRecord> ShownRecords() const;
  // The rows the list shows in all (counted by the database), or those read so far when
  // counting would take a pass over every row.
  int ShownCount() const;
  // The ids of the selected rows, top to bottom, at most `limit`.
  std::vector<int64_t> SelectedIds(size_t limit = SIZE_MAX) const;
  void ShowStatus(const QString& text);

 protected:
  // The host ends with its main window, even while a plug-in's own window is still open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void ImportFilesCommand();
  void ImportFolderCommand();
  std::optional<hostkit::AssayRecord> Record(int64_t id) const;
  void UpdateCommands();
  void ChangeRoleCommand();
  // After an import: offers to restore the deleted or hidden assays whose content came again.
  void OfferRestore(const hostkit::ImportReport& report);

  hostkit::AssayDatabase& database_;
  std::string dataFolder_;
  const hostkit::FormatTable& formats_;
  HostPrompts& prompts_;
  AssayTableModel* model_;
  QTableView* table_;
  QLineEdit* filter_;
  QLabel* status_;
  QProgressBar* progress_;
  QTimer* filterPause_;
  QAction* open_ = nullptr;
  QAction* hide_ = nullptr;
  QAction* delete_ = nullptr;
  QAction* restore_ = nullptr;
  QAction* changeRole_ = nullptr;
  QAction* showHidden_ = nullptr;
  QAction* showDeleted_ = nullptr;
};

// The text of a menu title without its "&" marks ("&Файл" -> "Файл").
QString PlainTitle(const QString& title);
// Analysis time as the host shows it: local time "dd.MM.yyyy hh:mm".
QString AnalysisTimeText(int64_t andate);

}  // namespace p528::host
