// The desktop host as a whole: its options, the assay database, the profile store, the
// service table it hands to the plug-ins, the main window, the chooser and the viewers.
//
// Start-up (Start): open or create the assay database and the data folder, read the
// profile, show the main window, load every plug-in (dlopen, GetPluginInfo, Load with the
// service table) and fire "System/ModulesLoaded". A plug-in that does not load is reported
// and skipped; the host runs without it. Shut-down (Shutdown, also from the destructor):
// Unload every plug-in while the windows still exist, destroy the host window (the
// plug-ins' windows are its children, or top-level windows it owns, and go with it while
// their code is still loaded), then close the libraries (dlclose).
//
// Services offered: "System/GetLanguage", "MainMenu/CreateNewMenu", "DB/GetConnectionUri",
// "Cfg/DataPath", "Main/OpenAssayIdDlgEx", "Main/OpenAssayFile" and the five profile
// services. Window handles crossing the table are QWidget pointers (0 for none).
#pragma once

#include "assay_chooser.h"
#include "host_options.h"
#include "role_dialog.h"

#include "host/kit/assay_database.h"
#include "host/kit/assay_import.h"
#include "host/kit/formats/aia_format.h"
#include "host/kit/plugin_library.h"
#include "host/kit/profile_store.h"
#include "host/kit/service_table.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace p528::host {

class ControlChartWindow;
class DialogDriver;
class HistoryWindow;
class HostPrompts;
class HostWindow;

class HostApp {
 public:
  HostApp(HostOptions options, HostPrompts& prompts);
  ~HostApp();
  HostApp(const HostApp&) = delete;
  HostApp& operator=(const HostApp&) = delete;

  // False (after telling the person why) when the assay database cannot be opened.
  bool Start();
  void Shutdown();

  HostWindow* window() const { return window_.get(); }
  hostkit::ServiceTable& services() { return services_; }
  hostkit::AssayDatabase* database() const { return database_.get(); }
  hostkit::FormatTable& formats() { return formats_; }
  const HostOptions& options() const { return options_; }
  uint16_t languageId() const { return languageId_; }
  // The plug-ins that loaded, and the reasons of those that did not.
  const std::vector<std::unique_ptr<hostkit::PluginLibrary>>& plugins() const { return plugins_; }

  // What answers the modal dialogs in place of a person (scripted runs); none by default.
  void SetDialogDriver(DialogDriver* driver) { driver_ = driver; }
  // Opens a viewer window for `path`; returns it.
  QWidget* OpenViewer(const std::string& path);
  QWidget* lastViewer() const { return lastViewer_; }
  // The register's windows (menu "Журнал"): the history, and the control chart of an
  // instrument (0: the first the register knows).
  QWidget* OpenHistory();
  QWidget* OpenControlChart(int instrument);

 private:
  void OfferServices();
  void AddRegisterMenu();
  void OpenWithDesktop(const std::string& path);
  void LoadPlugins();
  intptr_t CreateMenu(intptr_t lparam);
  intptr_t ChooseAssays(intptr_t wparam, intptr_t lparam);
  // The first start: a new profile gets every report section on; an empty database is
  // offered the demonstration sets of the installation (asked once per profile).
  void StartProfile();
  void OfferDemo();
  // Before an import that meets AIA files: asks for their role (or the rules) and keeps the
  // rules the dialog ended with in the profile; false for Cancel.
  bool AskAiaRoles(const std::vector<hostkit::ImportCandidate>& files);

  HostOptions options_;
  HostPrompts& prompts_;
  uint16_t languageId_;
  hostkit::ProfileStore profile_;
  hostkit::ServiceTable services_;
  std::string converter_;        // the worker process that reads AIA files
  aia::AiaRoleChoice aiaRoles_;  // what the ".cdf" reader of formats_ gives the next import
  hostkit::FormatTable formats_;
  std::unique_ptr<hostkit::AssayDatabase> database_;
  std::unique_ptr<HostWindow> window_;
  std::vector<std::unique_ptr<hostkit::PluginLibrary>> plugins_;
  QWidget* lastViewer_ = nullptr;
  DialogDriver* driver_ = nullptr;
  QPointer<HistoryWindow> history_;
  QPointer<ControlChartWindow> controlChart_;
  bool started_ = false;
  bool newProfile_ = false;
};

}  // namespace p528::host
