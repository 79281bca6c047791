#include "shell/plugin_module.h"

#include "shell/settings.h"
#include "shell/text.h"
#include "support/fake_host.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace p528 {
namespace {

using test::FakeHost;
using test::HostCall;

// What the window layer would do, counted.
struct WindowLog {
  int created = 0;
  int shown = 0;
  intptr_t parent = 0;
  std::string version;
  std::string prefixAtCreation;
};

class FakeWindow : public MainWindow {
 public:
  explicit FakeWindow(WindowLog& log) : log_(log) {}
  void Show() override {
    ++log_.shown;
    visible = true;
  }
  void Close() override { visible = false; }
  bool visible = false;

 private:
  WindowLog& log_;
};

// The host calls plain functions; they reach the module under test through this pointer.
PluginModule* g_module = nullptr;
int ModulesLoaded(intptr_t, intptr_t) { return g_module->OnModulesLoaded(); }
int MenuCommand(intptr_t wparam, intptr_t) { return g_module->MenuCommand(wparam); }

class PluginModuleTest : public ::testing::Test {
 protected:
  // A module whose file lies in `folder` (the build folder holds the English satellite).
  PluginModule& MakeModule(const std::string& moduleFile) {
    module_ =
        std::make_unique<PluginModule>(moduleFile, ModuleCallbacks{&ModulesLoaded, &MenuCommand},
                                       [this](PluginModule& module, intptr_t parent,
                                              const std::string& version) -> std::unique_ptr<MainWindow> {
                                         ++windows_.created;
                                         windows_.parent = parent;
                                         windows_.version = version;
                                         windows_.prefixAtCreation = module.shell().settingsPrefix;
                                         auto window = std::make_unique<FakeWindow>(windows_);
                                         window_ = window.get();
                                         return window;
                                       });
    g_module = module_.get();
    return *module_;
  }
  void TearDown() override { g_module = nullptr; }

  std::string MenuCaption() const {
    if (host_.menuItems().empty()) return "<no menu item>";
    return Utf16ToUtf8(host_.menuItems().back().caption);
  }

  FakeHost host_;
  WindowLog windows_;
  FakeWindow* window_ = nullptr;
  std::unique_ptr<PluginModule> module_;
};

constexpr const char* kRussianMenu = "Данные/Расчёты/Имитированная дистилляция нефти";
constexpr const char* kEnglishMenu = "Data/Calculations/Simulated Distillation of Petroleum";

TEST_F(PluginModuleTest, StartsInTheHostsOrderWithTheHostsServices) {
  PluginModule& module = MakeModule(test::kModuleFile);
  EXPECT_EQ(module.Load(host_.table()), 0);

  // Load: subscribe, then ask for the language; nothing is published yet.
  ASSERT_EQ(host_.calls().size(), 3u);
  EXPECT_EQ(host_.calls()[0].entry, "HookEvent");
  EXPECT_EQ(host_.calls()[0].name, "System/ModulesLoaded");
  EXPECT_EQ(host_.calls()[1].entry, "ServiceExists");
  EXPECT_EQ(host_.calls()[1].name, "System/GetLanguage");
  EXPECT_EQ(host_.calls()[2].entry, "CallService");
  EXPECT_FALSE(host_.HasPluginService("plug528/MenuCommand"));

  host_.ClearCalls();
  ASSERT_EQ(host_.FireEvent("System/ModulesLoaded"), 1);
  std::vector<std::string> order;
  for (const HostCall& call : host_.calls()) order.push_back(call.entry + " " + call.name);
  const std::vector<std::string> expected = {
      "CreateService plug528/MenuCommand",
      "CallService MainMenu/CreateNewMenu",  // asked for without an existence check
      "ServiceExists DB/GetConnectionUri",
      "CallService DB/GetConnectionUri",
  };
  EXPECT_EQ(order, expected);

  ASSERT_EQ(host_.menuItems().size(), 1u);
  const test::MenuItemRecord& item = host_.menuItems()[0];
  EXPECT_EQ(item.size, static_cast<intptr_t>(sizeof(MenuItemInfo)));
  EXPECT_EQ(Utf16ToUtf8(item.caption), kRussianMenu);
  EXPECT_EQ(item.flags, 0);
  EXPECT_EQ(item.service, "plug528/MenuCommand");

  // The location is a copy: the host may reuse its text afterwards.
  const std::u16string location = host_.connectionUri;
  host_.connectionUri = u"/elsewhere";
  ASSERT_TRUE(module.shell().databaseLocation.has_value());
  EXPECT_EQ(*module.shell().databaseLocation, location);
  EXPECT_EQ(module.shell().settingsPrefix, "");  // not before the first menu command
}

TEST_F(PluginModuleTest, LanguageChoosesTheResources) {
  struct Row {
    const char* name;
    intptr_t language;     // value returned by "System/GetLanguage"; -1: no such service
    bool satelliteBeside;  // the module file lies beside libplug528ENU.so
    uint16_t uiLangId;
    bool satelliteLoaded;
    const char* menu;
  };
  const Row rows[] = {
      {"Russian", 0x0419, true, 0x0419, false, kRussianMenu},
      {"English with satellite", 0x0409, true, 0x0409, true, kEnglishMenu},
      {"English without satellite", 0x0409, false, 0x0409, false, kRussianMenu},
      {"high bits ignored", 0x7FFF0409, true, 0x0409, true, kEnglishMenu},
      {"no satellite for ENG", 0x0809, true, 0x0809, false, kRussianMenu},
      {"unknown language", 0x0001, true, 0x0001, false, kRussianMenu},
      {"no language service", -1, true, 0, false, kRussianMenu},
  };
  test::ScratchFolder empty;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.ClearCalls();
    if (row.language < 0) {
      host_.RemoveService("System/GetLanguage");
    } else {
      host_.language = row.language;
    }
    PluginModule& module =
        MakeModule(row.satelliteBeside ? test::kModuleFile : empty.path() + "/libplug528.so");
    module.Load(host_.table());
    EXPECT_EQ(module.shell().uiLangId, row.uiLangId);
    EXPECT_EQ(module.satellite() != nullptr, row.satelliteLoaded);
    host_.FireEvent("System/ModulesLoaded");
    EXPECT_EQ(MenuCaption(), row.menu);
    EXPECT_EQ(module.shell().Str(146), row.satelliteLoaded ? "The calibration chromatogram is missing!"
                                                           : "Отсутствует градуировочная хроматтограмма!");
    module.Unload();
  }
}

// A library named like a satellite is not always one: for a Russian host even one named for
// Russian is not loaded (the module's own texts are Russian), and one without a string table
// (here: a copy of the plug-in itself) is no satellite.
TEST_F(PluginModuleTest, ALibraryNamedLikeASatelliteIsNotAlwaysOne) {
  const struct {
    const char* name;
    const std::string& source;
    const char* copyName;
    intptr_t language;
  } rows[] = {{"Russian host", test::kSatelliteFile, "libplug528RUS.so", 0x0419},
              {"no string table", test::kModuleFile, "libplug528ENU.so", 0x0409}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScratchFolder folder;
    folder.Copy(row.source, row.copyName);
    host_.language = row.language;
    PluginModule& module = MakeModule(folder.path() + "/libplug528.so");
    module.Load(host_.table());
    EXPECT_EQ(module.satellite(), nullptr);
    EXPECT_EQ(module.shell().Str(2076), kRussianMenu);
    module.Unload();
  }
}

TEST_F(PluginModuleTest, OneWindowShownOnEveryMenuCommand) {
  PluginModule& module = MakeModule(test::kModuleFile);
  module.Load(host_.table());
  host_.FireEvent("System/ModulesLoaded");

  EXPECT_EQ(host_.InvokeService("plug528/MenuCommand", 0x1234, 0), 0);
  EXPECT_EQ(windows_.created, 1);
  EXPECT_EQ(windows_.shown, 1);
  EXPECT_EQ(windows_.parent, 0x1234);
  EXPECT_EQ(windows_.version, "1.2");
  EXPECT_EQ(windows_.prefixAtCreation, "plugins\\plug528");  // set before the window reads settings
  ASSERT_NE(window_, nullptr);

  window_->visible = false;  // the user closed it: the window hides, the object stays
  EXPECT_EQ(host_.InvokeService("plug528/MenuCommand", 0x9999, 0), 0);
  EXPECT_EQ(windows_.created, 1);
  EXPECT_EQ(windows_.shown, 2);
  EXPECT_EQ(windows_.parent, 0x1234);
  EXPECT_TRUE(window_->visible);
  EXPECT_EQ(module.mainWindow(), window_);

  host_.InvokeService("plug528/MenuCommand", 0, 0);
  EXPECT_EQ(windows_.created, 1);
  EXPECT_EQ(windows_.shown, 3);
}

TEST_F(PluginModuleTest, MenuCommandsWithoutAWindowLayerOnlySetThePrefix) {
  module_ = std::make_unique<PluginModule>(test::kModuleFile, ModuleCallbacks{&ModulesLoaded, &MenuCommand},
                                           MainWindowFactory());
  g_module = module_.get();
  module_->Load(host_.table());
  EXPECT_EQ(module_->MenuCommand(0), 0);
  EXPECT_EQ(module_->MenuCommand(0), 0);
  EXPECT_EQ(module_->mainWindow(), nullptr);
  EXPECT_EQ(module_->shell().settingsPrefix, kSettingsPrefix);
}

TEST_F(PluginModuleTest, UnloadBeforeTheModulesLoadedEventReleasesWithServiceHandleZero) {
  host_.language = 0x0409;
  PluginModule& module = MakeModule(test::kModuleFile);
  module.Load(host_.table());
  const int subscription = module.subscription();
  ASSERT_NE(subscription, 0);
  ASSERT_NE(module.satellite(), nullptr);

  host_.ClearCalls();
  EXPECT_EQ(module.Unload(), 0);
  ASSERT_EQ(host_.calls().size(), 2u);
  EXPECT_EQ(host_.calls()[0].entry, "UnhookEvent");
  EXPECT_EQ(host_.calls()[0].wparam, subscription);
  EXPECT_EQ(host_.calls()[1].entry, "DestroyService");
  EXPECT_EQ(host_.calls()[1].wparam, 0);
  EXPECT_FALSE(host_.HasSubscription("System/ModulesLoaded"));
  EXPECT_EQ(module.satellite(), nullptr);
  // The satellite's texts are gone with it; the module's own are in use again.
  EXPECT_EQ(module.shell().Str(2076), kRussianMenu);
}

TEST_F(PluginModuleTest, UnloadWithdrawsThePublishedServiceAndLeavesTheHostAlone) {
  PluginModule& module = MakeModule(test::kModuleFile);
  module.Load(host_.table());
  host_.FireEvent("System/ModulesLoaded");
  const int service = module.menuService();
  ASSERT_NE(service, 0);
  host_.InvokeService("plug528/MenuCommand", 1, 0);

  ASSERT_TRUE(window_->visible);
  module.Unload();
  EXPECT_FALSE(window_->visible) << "Unload closes the window";
  const auto destroys = host_.CallsOf("DestroyService");
  ASSERT_EQ(destroys.size(), 1u);
  EXPECT_EQ(destroys[0].wparam, service);
  EXPECT_FALSE(host_.HasPluginService("plug528/MenuCommand"));
  EXPECT_NE(module.mainWindow(), nullptr);  // the window outlives Unload

  // The host table is not valid after Unload: a window still open reads defaults and never
  // calls through it.
  host_.SetProfileInt("plugins\\plug528\\settings\\num_device", 8);
  host_.ClearCalls();
  EXPECT_EQ(ReadSettingInt(module.shell(), kSectionSettings, "num_device", 0), 0);
  EXPECT_TRUE(host_.calls().empty());
}

TEST_F(PluginModuleTest, DatabaseLocationFollowsTheHost) {
  struct Row {
    const char* name;
    bool offered;
    const char16_t* uri;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"offered", true, u"/srv/assays.sqlite", std::u16string(u"/srv/assays.sqlite")},
      {"null text", true, u"", std::u16string()},
      {"not offered", false, u"/srv/assays.sqlite", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHost* host = &host_;
    host->connectionUri = row.uri;
    if (!row.offered) host->RemoveService("DB/GetConnectionUri");
    PluginModule& module = MakeModule(test::kModuleFile);
    module.Load(host->table());
    host->FireEvent("System/ModulesLoaded");
    EXPECT_EQ(module.shell().databaseLocation, row.expected);
    module.Unload();
  }
}

}  // namespace
}  // namespace p528
