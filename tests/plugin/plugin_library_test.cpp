// The real libplug528.so, loaded with dlopen and driven through a fake host, as a host
// program does. Libraries stay loaded to the end of the process (the module object lives
// until then), so every test leaves the module unloaded by the host (Unload) but mapped.
#include "shell/host_api.h"
#include "shell/text.h"
#include "support/fake_host.h"
#include "support/run_command.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>

namespace p528 {
namespace {

using test::FakeHost;

struct PluginEntry {
  const PluginInfo* (*GetPluginInfo)() = nullptr;
  int (*Load)(const HostApi*) = nullptr;
  int (*Unload)() = nullptr;
};

// Opens the library at `file` as a host does and finds its three entry points.
PluginEntry OpenPlugin(const std::string& file) {
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  EXPECT_NE(library, nullptr) << dlerror();
  PluginEntry entry;
  if (library == nullptr) return entry;
  entry.GetPluginInfo = reinterpret_cast<const PluginInfo* (*)()>(dlsym(library, "GetPluginInfo"));
  entry.Load = reinterpret_cast<int (*)(const HostApi*)>(dlsym(library, "Load"));
  entry.Unload = reinterpret_cast<int (*)()>(dlsym(library, "Unload"));
  EXPECT_NE(entry.GetPluginInfo, nullptr);
  EXPECT_NE(entry.Load, nullptr);
  EXPECT_NE(entry.Unload, nullptr);
  return entry;
}

// Names of the dynamic symbols a library defines, by nm; empty when nm is not there.
std::set<std::string> DefinedDynamicSymbols(const std::string& file) {
  std::set<std::string> names;
  std::istringstream lines(test::RunCommand("nm -D --defined-only '" + file + "' 2>/dev/null").out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string address, kind, name;
    if (fields >> address >> kind >> name) names.insert(name);
  }
  return names;
}

TEST(PluginLibrary, ExportsExactlyItsEntryPoints) {
  const std::set<std::string> module = DefinedDynamicSymbols(test::kModuleFile);
  if (module.empty()) GTEST_SKIP() << "nm is not available";
  EXPECT_EQ(module, (std::set<std::string>{"GetPluginInfo", "Load", "Unload"}));
  EXPECT_EQ(DefinedDynamicSymbols(test::kSatelliteFile),
            (std::set<std::string>{"plug528_satellite_strings"}));
}

TEST(PluginLibrary, DescribesItselfBeforeLoad) {
  const PluginEntry plugin = OpenPlugin(test::kModuleFile);
  ASSERT_NE(plugin.GetPluginInfo, nullptr);
  const PluginInfo* info = plugin.GetPluginInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->size, static_cast<intptr_t>(sizeof(PluginInfo)));
  EXPECT_EQ(std::u16string(info->shortName), u"plug528");
  EXPECT_EQ(info->version, 0x01020000);
  EXPECT_EQ(Utf16ToUtf8(info->description), "Расчет 528: Имитированная дистиляции нефти");
  for (const char16_t* text : {info->author, info->email, info->rightsNotice, info->homepage}) {
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(std::u16string(text).empty());
  }
  const unsigned char zero[16] = {};
  EXPECT_NE(std::memcmp(info->uuid, zero, sizeof zero), 0);
  EXPECT_EQ(plugin.GetPluginInfo(), info);  // one static record
}

// Load, event, two menu commands, Unload; returns the menu caption the host was given.
std::string RunHostSession(const PluginEntry& plugin, intptr_t language) {
  FakeHost host;
  host.language = language;
  EXPECT_EQ(plugin.Load(host.table()), 0);
  EXPECT_EQ(host.FireEvent("System/ModulesLoaded"), 1);
  EXPECT_TRUE(host.HasPluginService("plug528/MenuCommand"));
  EXPECT_EQ(host.InvokeService("plug528/MenuCommand", 0, 0), 0);
  EXPECT_EQ(host.InvokeService("plug528/MenuCommand", 0, 0), 0);
  EXPECT_EQ(plugin.Unload(), 0);
  EXPECT_FALSE(host.HasSubscription("System/ModulesLoaded"));
  EXPECT_FALSE(host.HasPluginService("plug528/MenuCommand"));
  if (host.menuItems().size() != 1) return "<" + std::to_string(host.menuItems().size()) + " menu items>";
  return Utf16ToUtf8(host.menuItems()[0].caption);
}

TEST(PluginLibrary, TakesItsTextsFromTheSatelliteBesideIt) {
  const PluginEntry plugin = OpenPlugin(test::kModuleFile);
  ASSERT_NE(plugin.Load, nullptr);
  EXPECT_EQ(RunHostSession(plugin, 0x0409), "Data/Calculations/Simulated Distillation of Petroleum");
  EXPECT_EQ(RunHostSession(plugin, 0x0419), "Данные/Расчёты/Имитированная дистилляция нефти");
  EXPECT_EQ(RunHostSession(plugin, 0x0409), "Data/Calculations/Simulated Distillation of Petroleum");
}

TEST(PluginLibrary, FindsTheSatelliteByItsOwnFileName) {
  // Copies in another folder: the satellite is looked for beside the copy that was loaded.
  test::ScratchFolder alone;
  const PluginEntry withoutSatellite = OpenPlugin(alone.Copy(test::kModuleFile, "libplug528.so"));
  ASSERT_NE(withoutSatellite.Load, nullptr);
  EXPECT_EQ(RunHostSession(withoutSatellite, 0x0409), "Данные/Расчёты/Имитированная дистилляция нефти");

  test::ScratchFolder paired;
  paired.Copy(test::kSatelliteFile, "libplug528ENU.so");
  const PluginEntry withSatellite = OpenPlugin(paired.Copy(test::kModuleFile, "libplug528.so"));
  ASSERT_NE(withSatellite.Load, nullptr);
  EXPECT_EQ(RunHostSession(withSatellite, 0x0409), "Data/Calculations/Simulated Distillation of Petroleum");
}

TEST(PluginLibrary, UnloadBeforeTheModulesLoadedEvent) {
  const PluginEntry plugin = OpenPlugin(test::kModuleFile);
  ASSERT_NE(plugin.Load, nullptr);
  FakeHost host;
  plugin.Load(host.table());
  host.ClearCalls();
  EXPECT_EQ(plugin.Unload(), 0);
  const auto unhooks = host.CallsOf("UnhookEvent");
  const auto destroys = host.CallsOf("DestroyService");
  ASSERT_EQ(unhooks.size(), 1u);
  EXPECT_NE(unhooks[0].wparam, 0);
  ASSERT_EQ(destroys.size(), 1u);
  EXPECT_EQ(destroys[0].wparam, 0);
}

}  // namespace
}  // namespace p528
