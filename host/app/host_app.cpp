#include "host_app.h"

#include "assay_table_model.h"
#include "chromatogram/chrm_role.h"
#include "chromatogram_viewer.h"
#include "control_chart_window.h"
#include "history_window.h"
#include "host/kit/aia/conversion_worker.h"
#include "host/kit/assay_roles.h"
#include "host/kit/register/register_service.h"
#include "host_prompts.h"
#include "host_texts.h"
#include "host_window.h"
#include "register_texts.h"
#include "report/report_options.h"
#include "sequence_command.h"
#include "shell/screen_fit.h"
#include "shell/shell.h"
#include "shell/string_table.h"
#include "shell/text.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace p528::host {

namespace {

constexpr const char* kGeometryKey = "plug528-host\\window_geometry";

WindowPlace PlaceOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// The toolkit's restored geometry (its screen and state) held to the rule the plug-in's
// windows follow: a place left on a screen this session lacks comes back onto one, fitted.
void KeepOnTheScreens(QWidget& window) {
  if (window.isMaximized() || window.isFullScreen()) return;
  std::vector<WindowPlace> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) areas.push_back(PlaceOf(primary->availableGeometry()));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) areas.push_back(PlaceOf(screen->availableGeometry()));
  }
  const QSize minimum = window.minimumSizeHint();
  const WindowPlace restored = PlaceOf(window.geometry());
  const WindowPlace place = FitToScreens(restored, areas, minimum.width(), minimum.height());
  if (place != restored) window.setGeometry(place.x, place.y, place.width, place.height);
}

}  // namespace

HostApp::HostApp(HostOptions options, HostPrompts& prompts)
    : options_(std::move(options)),
      prompts_(prompts),
      languageId_(hostkit::ChooseLanguageId(options_.language)),
      profile_(options_.profile),
      formats_(hostkit::NativeFormats()) {
  SetHostLanguage(languageId_);
  // AIA files are converted in a worker process; without one they are refused with the reason.
  // The role is the plug-in's own role text, which it reads under either interface language.
  converter_ =
      aia::FindConverter(QCoreApplication::applicationDirPath().toStdString(), PLUG528_BUILD_CONVERTER);
  if (converter_.empty()) converter_ = aia::kConverterName;
  formats_.Add(aia::AiaFormat(&aiaRoles_, hostkit::StoredRoleText, converter_));
  for (hostkit::ChromatogramFormat& format : aia::TextExportFormats(&aiaRoles_, hostkit::StoredRoleText))
    formats_.Add(std::move(format));
}

HostApp::~HostApp() { Shutdown(); }

bool HostApp::Start() {
  std::error_code ec;
  for (const std::string& file : {options_.database, options_.profile}) {
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  }
  std::filesystem::create_directories(options_.dataFolder, ec);
  try {
    database_ = std::make_unique<hostkit::AssayDatabase>(options_.database);
  } catch (const std::exception& error) {
    prompts_.Tell(nullptr,
                  Tr(Text::DatabaseNotOpened).arg(Q(options_.database), QString::fromUtf8(error.what())),
                  true);
    return false;
  }
  // The lists sort and filter by the database's indexes: a database of an older host or of
  // the generator gets them now (once). A read-only one is listed as it is.
  try {
    if (!database_->UpToDate()) database_->Upgrade();
  } catch (const std::exception&) {
  }
  try {
    // An import the last session did not finish (killed, crashed) is put right first.
    hostkit::RecoverInterruptedImport(*database_, options_.dataFolder);
  } catch (const std::exception& error) {
    prompts_.Tell(nullptr, QString::fromUtf8(error.what()), true);
  }
  newProfile_ = !std::filesystem::exists(options_.profile, ec);
  std::string profileError;
  if (!profile_.Load(&profileError)) prompts_.Tell(nullptr, Q(profileError), true);
  StartProfile();

  window_ = std::make_unique<HostWindow>(*database_, options_.dataFolder, formats_, prompts_);
  window_->openFile = [this](const std::string& path) { OpenViewer(path); };
  window_->beforeImport = [this](const std::vector<hostkit::ImportCandidate>& files) {
    return AskAiaRoles(files);
  };
  // The window comes back where the person left it.
  if (const std::optional<std::string> geometry = profile_.GetText(kGeometryKey)) {
    window_->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*geometry)));
    KeepOnTheScreens(*window_);
  }
  AddSequenceCommand(*window_, prompts_, options_);
  window_->show();
  AddRegisterMenu();
  OfferServices();
  LoadPlugins();
  started_ = true;
  OfferDemo();
  return true;
}

void HostApp::StartProfile() {
  if (!newProfile_) return;
  // The plug-in's own default leaves the report's sections off; a laboratory starting with
  // this host sees the whole report first and switches off what it does not need.
  for (const ReportFlagSpec& flag : ReportFlags())
    profile_.SetInt(std::string("plugins\\plug528\\settings\\") + flag.key, 1);
}

void HostApp::OfferDemo() {
  constexpr const char* kOffered = "plug528-host\\demo_offered";
  std::error_code ec;
  if (profile_.GetInt(kOffered).value_or(0) != 0 || !std::filesystem::is_directory(options_.demo, ec)) return;
  hostkit::AssayFilter everything;
  everything.deleted = true;
  try {
    if (database_->Count(everything) != 0) return;
  } catch (const std::exception&) {
    return;
  }
  profile_.SetInt(kOffered, 1);
  const std::string demo = std::filesystem::canonical(options_.demo, ec).string();
  if (prompts_.Confirm(window_.get(), Tr(Text::FirstStartDemo).arg(Q(demo)))) window_->Import({demo});
}

void HostApp::AddRegisterMenu() {
  const QString menu = RegisterTr(RegisterText::MenuRegister) + "/";
  window_->AddMenuPath(menu + RegisterTr(RegisterText::History), [this] { OpenHistory(); });
  window_->AddMenuPath(menu + RegisterTr(RegisterText::ControlChart), [this] { OpenControlChart(0); });
}

void HostApp::OpenWithDesktop(const std::string& path) {
  // A scripted run opens no viewer of the desktop: it says what it would open.
  if (!options_.script.empty()) {
    std::printf("open-report %s\n", path.c_str());
    std::fflush(stdout);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

QWidget* HostApp::OpenHistory() {
  if (history_ == nullptr) {
    history_ = new HistoryWindow(options_.database, prompts_, window_.get());
    history_->openFile = [this](const std::string& path) { OpenWithDesktop(path); };
    history_->openControlChart = [this](int instrument) { OpenControlChart(instrument); };
  } else {
    history_->Refresh();
  }
  history_->show();
  history_->raise();
  return history_;
}

QWidget* HostApp::OpenControlChart(int instrument) {
  delete controlChart_;  // a new window for the instrument asked for, on the register as it is now
  controlChart_ = new ControlChartWindow(options_.database, instrument, window_.get());
  controlChart_->show();
  controlChart_->raise();
  return controlChart_;
}

void HostApp::OfferServices() {
  hostkit::OfferLanguage(services_, languageId_);
  hostkit::OfferProfile(services_, profile_);
  hostkit::OfferDatabaseLocation(services_, options_.database);
  hostkit::OfferDataPath(services_, options_.dataFolder);
  services_.Offer("MainMenu/CreateNewMenu", [this](intptr_t, intptr_t lparam) { return CreateMenu(lparam); });
  services_.Offer("Main/OpenAssayIdDlgEx",
                  [this](intptr_t wparam, intptr_t lparam) { return ChooseAssays(wparam, lparam); });
  services_.Offer("Main/OpenAssayFile", [this](intptr_t, intptr_t lparam) -> intptr_t {
    const auto* name = reinterpret_cast<const char16_t*>(lparam);
    if (name == nullptr) return 0;
    return OpenViewer(Utf16ToUtf8(name)) != nullptr ? 1 : 0;
  });
  // The result register lives in the assay database; a refused entry is told at once.
  hostkit::OfferResultRegister(services_, options_.database, [this](const std::string& reason) {
    prompts_.Tell(nullptr, RegisterTr(RegisterText::NotRegistered).arg(Q(reason)), true);
  });
}

void HostApp::LoadPlugins() {
  const HostApi* table = services_.Attach();
  for (const std::string& path : options_.plugins) {
    std::string reason;
    std::unique_ptr<hostkit::PluginLibrary> plugin = hostkit::PluginLibrary::Open(path, reason);
    if (!plugin) {
      const QString text = Tr(Text::PluginNotLoaded).arg(Q(path), Q(reason));
      window_->ShowStatus(text);
      prompts_.Tell(window_.get(), text, true);
      continue;
    }
    if (plugin->Load(table, &reason) != 0 && !reason.empty()) {
      const QString text = Tr(Text::PluginNotLoaded).arg(Q(path), Q(reason));
      window_->ShowStatus(text);
      prompts_.Tell(window_.get(), text, true);
      continue;
    }
    plugins_.push_back(std::move(plugin));
  }
  services_.FireEvent("System/ModulesLoaded");
}

void HostApp::Shutdown() {
  if (!started_) return;
  started_ = false;
  profile_.SetText(kGeometryKey, window_->saveGeometry().toBase64().toStdString());
  // Unload: the plug-ins close their windows, which remember their places meanwhile.
  for (auto& plugin : plugins_) plugin->Unload();
  // The plug-ins' windows are the host window's children, or top-level windows it owns:
  // they are destroyed with it while their code is still loaded. Only then are the
  // libraries closed.
  window_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  plugins_.clear();  // dlclose
  services_.Detach();
  database_.reset();
}

intptr_t HostApp::CreateMenu(intptr_t lparam) {
  const auto* item = reinterpret_cast<const MenuItemInfo*>(lparam);
  if (item == nullptr || item->caption == nullptr || item->service == nullptr || window_ == nullptr) return 0;
  const QString caption = QString::fromStdU16String(item->caption);
  const std::string service = item->service;  // copied: the plug-in may reuse its record
  QAction* action = window_->AddMenuPath(caption, [this, service] {
    services_.CallService(service.c_str(), reinterpret_cast<intptr_t>(static_cast<QWidget*>(window_.get())),
                          0);
  });
  return action != nullptr ? 1 : 0;
}

intptr_t HostApp::ChooseAssays(intptr_t wparam, intptr_t lparam) {
  auto* request = reinterpret_cast<AssayIdRequest*>(wparam);
  if (request == nullptr || request->ids == nullptr || request->capacity <= 0 || database_ == nullptr)
    return 0;
  QWidget* owner = lparam != 0 ? reinterpret_cast<QWidget*>(lparam) : window_.get();
  const int capacity = static_cast<int>(std::min<intptr_t>(request->capacity, 1 << 20));
  return RunAssayChooser(*database_,
                         std::filesystem::absolute(options_.dataFolder).lexically_normal().string(), owner,
                         request->ids, capacity, driver_);
}

bool HostApp::AskAiaRoles(const std::vector<hostkit::ImportCandidate>& files) {
  std::vector<RoleFile> asked;
  for (const hostkit::ImportCandidate& file : files) {
    if (aia::AsksRole(file.source) && formats_.For(file.source) != nullptr)
      asked.push_back({file.source, aia::AiaSampleName(file.source, converter_)});
  }
  if (asked.empty()) return true;
  std::vector<QString> roleTexts;
  for (int role = RoleCalibration; role <= RoleCheck; ++role)
    roleTexts.push_back(RoleCaption(hostkit::StoredRoleText(role)));
  const std::vector<aia::RoleRule> stored = aia::LoadRoleRules(profile_);
  std::optional<aia::AiaRoleChoice> choice = AskAiaRole(asked, roleTexts, stored, window_.get(), driver_);
  if (!choice) return false;
  const bool changed = choice->rules.size() != stored.size() ||
                       !std::equal(stored.begin(), stored.end(), choice->rules.begin(),
                                   [](const aia::RoleRule& a, const aia::RoleRule& b) {
                                     return a.text == b.text && a.role == b.role;
                                   });
  if (changed && !aia::SaveRoleRules(profile_, choice->rules))
    prompts_.Tell(window_.get(), Q(profile_.saveError()), true);
  aiaRoles_ = std::move(*choice);
  return true;
}

QWidget* HostApp::OpenViewer(const std::string& path) {
  auto* viewer = new ChromatogramViewer(path, window_.get());
  viewer->show();
  lastViewer_ = viewer;
  QObject::connect(viewer, &QObject::destroyed, [this, viewer] {
    if (lastViewer_ == viewer) lastViewer_ = nullptr;
  });
  return viewer;
}

}  // namespace p528::host
