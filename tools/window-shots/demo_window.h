// The main window over a freshly generated demo set, for looking at it (window-shots) and
// measuring it (window-bench): the gasoil set and its SQLite assay database written into a
// folder, the in-process host of the command line answering the assay dialog with the set's
// ids, the scenario's settings in an in-memory profile, and the main window with "Добавить"
// pressed. Needs a QApplication. One DemoWindow at a time (the host is process-wide).
#pragma once

#include "cli_host.h"
#include "host/kit/profile_store.h"
#include "shell/shell.h"
#include "ui/main_window.h"

#include <memory>
#include <string>

namespace p528::tools {

class DemoWindow {
 public:
  // Writes the set under `folder` (created) and opens the window in Russian or English.
  DemoWindow(const std::string& folder, bool english);
  ~DemoWindow();

  ui::CDarErud528Dlg& Window() { return *window_; }

 private:
  simdist::ProfileStore profile_;
  simdist::CliHost host_;
  Shell shell_;
  std::unique_ptr<ui::CDarErud528Dlg> window_;
};

}  // namespace p528::tools
