// The service table both hosts hand to the plug-in, the profile shared with simdist, and
// loading plug-in modules.
#include "host/kit/plugin_library.h"
#include "host/kit/profile_store.h"
#include "host/kit/service_table.h"

#include "cli_host.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <fstream>

namespace p528::hostkit {
namespace {

TEST(HostServices, ASettingWrittenThroughOneHostIsReadByTheOther) {
  test::TempFolder folder;
  const std::string profile = folder / "profile";
  {
    ProfileStore store(profile);
    ASSERT_TRUE(store.Load());
    ServiceTable table;
    OfferProfile(table, store);
    Shell shell;
    shell.host = table.Attach();
    shell.settingsPrefix = "plugins\\plug528";
    WriteSettingInt(shell, "settings", "num_device", 12);
    WriteSettingText(shell, "paths", "CHRM_GRAD", "/data/Градуировка.chrm");
  }
  ProfileStore store(profile);
  ASSERT_TRUE(store.Load());
  simdist::CliHost commandLine(store);
  Shell shell;
  shell.host = commandLine.Attach();
  shell.settingsPrefix = "plugins\\plug528";
  EXPECT_EQ(ReadSettingInt(shell, "settings", "num_device", 0), 12);
  EXPECT_EQ(ReadSettingText(shell, "paths", "CHRM_GRAD", ""), "/data/Градуировка.chrm");
}

int g_fired = 0;
int OnEvent(intptr_t, intptr_t) { return ++g_fired, 0; }
int PluginService(intptr_t wparam, intptr_t) { return static_cast<int>(wparam) * 2; }

TEST(HostServices, EventsAndPublishedServicesReachThePlugin) {
  ServiceTable table;
  const HostApi* api = table.Attach();
  g_fired = 0;
  const int subscription = api->HookEvent("System/ModulesLoaded", OnEvent);
  const int service = api->CreateService("plug528/MenuCommand", PluginService);
  EXPECT_EQ(table.FireEvent("System/ModulesLoaded"), 1);
  EXPECT_EQ(g_fired, 1);
  EXPECT_TRUE(api->ServiceExists("plug528/MenuCommand"));
  EXPECT_EQ(api->CallService("plug528/MenuCommand", 21, 0), 42);
  api->UnhookEvent(subscription);
  api->DestroyService(service);
  EXPECT_EQ(table.FireEvent("System/ModulesLoaded"), 0);
  EXPECT_FALSE(api->ServiceExists("plug528/MenuCommand"));
  EXPECT_EQ(api->CallService("plug528/MenuCommand", 21, 0), 0);
  EXPECT_EQ(api->CallService("No/Such", 0, 0), 0);
}

TEST(HostServices, TheLanguageFollowsTheOptionThenTheLocale) {
  EXPECT_EQ(ChooseLanguageId("ru"), 0x0419);
  EXPECT_EQ(ChooseLanguageId("en"), 0x0409);
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  EXPECT_EQ(ChooseLanguageId(""), 0x0419);
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(ChooseLanguageId(""), 0x0409);
  unsetenv("LC_ALL");
}

TEST(MenuLevels, APathGivesItsLevelsUpToItsBounds) {
  EXPECT_EQ(MenuLevels("Анализ//Разгонка/"), (std::vector<std::string>{"Анализ", "Разгонка"}));
  EXPECT_TRUE(MenuLevels("").empty());
  std::string deep;
  for (int i = 0; i < 20000; ++i) deep += "a/";
  EXPECT_TRUE(MenuLevels(deep).empty());
  EXPECT_TRUE(MenuLevels(std::string(kMaxMenuPathBytes + 1, 'x')).empty());
  EXPECT_EQ(MenuLevels("1/2/3/4/5/6/7/8").size(), kMaxMenuLevels);
}

TEST(PluginLibrary, LibrariesThatAreNotPluginsAreRefusedWithTheirReason) {
  test::TempFolder folder;
  std::ofstream(folder / "text.so") << "not a library";
  std::string reason;
  EXPECT_EQ(PluginLibrary::Open(folder / "missing.so", reason), nullptr);
  EXPECT_EQ(reason, "no such file");
  EXPECT_EQ(PluginLibrary::Open(folder / "text.so", reason), nullptr);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(PluginLibrary::Open(PLUG528_WITHOUT_LOAD_FILE, reason), nullptr);
  EXPECT_EQ(reason, "the library does not export Load");
  ASSERT_EQ(::mkfifo((folder / "fifo.so").c_str(), 0600), 0);
  EXPECT_EQ(PluginLibrary::Open(folder / "fifo.so", reason), nullptr);
  EXPECT_EQ(reason, "is a FIFO");
  // A Load that throws is a plug-in not loaded, with the reason; the host goes on.
  auto throwing = PluginLibrary::Open(PLUG528_THROWING_LOAD_FILE, reason);
  ASSERT_NE(throwing, nullptr) << reason;
  reason.clear();
  EXPECT_EQ(throwing->Load(nullptr, &reason), -1);
  EXPECT_EQ(reason, "its Load failed: the plug-in cannot start");
}

#ifdef PLUG528_MODULE_FILE
TEST(PluginLibrary, ThePluginRegistersItsMenuItemWhenTheModulesAreLoaded) {
  // The module keeps its module-wide objects until the process ends; pinned here so that
  // closing it does not unmap them under the leak checker.
  ASSERT_NE(dlopen(PLUG528_MODULE_FILE, RTLD_NOW | RTLD_NODELETE), nullptr);
  std::string reason;
  auto plugin = PluginLibrary::Open(PLUG528_MODULE_FILE, reason);
  ASSERT_NE(plugin, nullptr) << reason;
  EXPECT_EQ(plugin->shortName(), "plug528");
  ServiceTable table;
  std::u16string caption;
  std::string service;
  table.Offer("MainMenu/CreateNewMenu", [&](intptr_t, intptr_t lparam) -> intptr_t {
    const auto* item = reinterpret_cast<const MenuItemInfo*>(lparam);
    caption = item->caption;
    service = item->service;
    return 1;
  });
  plugin->Load(table.Attach());
  table.FireEvent("System/ModulesLoaded");
  EXPECT_EQ(caption, u"Данные/Расчёты/Имитированная дистилляция нефти");
  EXPECT_EQ(service, "plug528/MenuCommand");
  EXPECT_TRUE(table.PluginServiceExists("plug528/MenuCommand"));
  plugin->Unload();
  EXPECT_FALSE(table.PluginServiceExists("plug528/MenuCommand"));
}
#endif

}  // namespace
}  // namespace p528::hostkit
