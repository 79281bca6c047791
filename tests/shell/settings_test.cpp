#include "shell/settings.h"

#include "shell/text.h"
#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace p528 {
namespace {

using test::FakeHost;

TEST(KeyPath, JoinsPrefixSectionAndKeyWithBackslashes) {
  struct Row {
    const char* prefix;
    const char* section;
    const char* key;
    const char16_t* expected;
  };
  const Row rows[] = {
      {"", "settings", "num_device", u"settings\\num_device"},
      {kSettingsPrefix, "settings", "num_device", u"plugins\\plug528\\settings\\num_device"},
      {kSettingsPrefix, "paths", "CHRM_GRAD", u"plugins\\plug528\\paths\\CHRM_GRAD"},
      {kSettingsPrefix, "GasoilParams", "3_delta", u"plugins\\plug528\\GasoilParams\\3_delta"},
  };
  for (const Row& row : rows) {
    Shell shell;
    shell.settingsPrefix = row.prefix;
    EXPECT_EQ(KeyPath(shell, row.section, row.key), row.expected) << row.prefix << "|" << row.key;
  }
}

TEST(Settings, ValuesRoundTripUnderThePrefix) {
  FakeHost host;
  const Shell shell = host.MakeShell();
  EXPECT_TRUE(WriteSettingInt(shell, kSectionSettings, "num_device", -17));
  EXPECT_TRUE(WriteSettingText(shell, kSectionSettings, "TimeStartSample", "abc"));
  EXPECT_TRUE(WriteSettingText(shell, kSectionGasoil, "gasoilPasportNum", "Паспорт № 12/а"));
  EXPECT_TRUE(WriteSettingText(shell, kSectionPaths, "CHRM_REF", ""));

  EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "num_device", 0), -17);
  EXPECT_EQ(ReadSettingText(shell, kSectionSettings, "TimeStartSample", "0.0"), "abc");
  EXPECT_EQ(ReadSettingText(shell, kSectionGasoil, "gasoilPasportNum", ""), "Паспорт № 12/а");
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_REF", "x"), "");  // stored empty, not absent

  // Stored exactly where other installations of the system look for them.
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), -17);
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\GasoilParams\\gasoilPasportNum"), "Паспорт № 12/а");
  EXPECT_EQ(host.profile.size(), 4u);
}

TEST(Settings, KeysWithoutThePrefixAreNotRead) {
  FakeHost host;
  host.SetProfileInt("settings\\num_device", 5);
  host.SetProfileText("paths\\CHRM_GRAD", "/data/grad.stg");
  const Shell shell = host.MakeShell();
  EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "num_device", 0), 0);
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", ""), "");
  // Before the first menu command the prefix is empty and those keys are the ones used.
  const Shell early = host.MakeShell(false);
  EXPECT_EQ(ReadSettingInt(early, kSectionSettings, "num_device", 0), 5);
}

TEST(Settings, MissingProfileServicesGiveDefaultsAndStoreNothing) {
  FakeHost host;
  host.SetProfileInt("plugins\\plug528\\settings\\num_device", 9);
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_GRAD", "/data/grad.stg");
  host.RemoveProfileServices();
  const Shell shell = host.MakeShell();

  EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "num_device", 0), 0);
  for (const char* flag :
       {"flag_files", "flag_grad_chart", "flag_resp_rate", "flag_Ref_table", "flag_prop_chart",
        "flag_prop_table", "flag_fract_table", "flag_prop_ISO3405", "flag_msgs"})
    EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, flag, 0), 0) << flag;
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", ""), "");
  EXPECT_FALSE(WriteSettingInt(shell, kSectionSettings, "num_device", 3));
  EXPECT_FALSE(WriteSettingText(shell, kSectionSettings, "step_mark", "5.0"));
  DeleteSettingSection(shell, kSectionPaths);

  EXPECT_TRUE(host.CallsOf("CallService").empty()) << "a missing service was called";
  EXPECT_EQ(host.profile.size(), 2u);
}

TEST(Settings, ANotFoundAnswerGivesTheDefaultWhateverTheHostWrote) {
  FakeHost host;
  host.Provide("Profile/GetInt", [](intptr_t, intptr_t lparam) -> intptr_t {
    *reinterpret_cast<int*>(lparam) = 99;
    return 0;
  });
  host.Provide("Profile/GetString", [](intptr_t, intptr_t lparam) -> intptr_t {
    reinterpret_cast<ProfileTextBuffer*>(lparam)->buffer[0] = u'z';
    return 0;
  });
  const Shell shell = host.MakeShell();
  EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "method", -1), -1);
  EXPECT_EQ(ReadSettingText(shell, kSectionSettings, "step_mark", "10.0"), "10.0");
}

// A remembered path longer than 127 characters came back cut at the 128-unit buffer and was
// written back cut, so the calibration's and the blank's paths collapsed into one wrong path.
TEST(Settings, TextsUpTo4096BytesComeBackWhole) {
  for (const std::size_t stored : {126u, 127u, 128u, 200u, 255u, 256u, 4096u}) {
    for (const bool wholeBuffer : {false, true}) {  // true: the host writes no terminator
      FakeHost host;
      host.fillWholeTextBuffer = wholeBuffer;
      const Shell shell = host.MakeShell();
      std::string path = "/mnt/lab/";
      while (path.size() < stored) path += static_cast<char>('a' + path.size() % 26);
      WriteSettingText(shell, kSectionPaths, "CHRM_GRAD", path);
      EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", ""), path)
          << stored << (wholeBuffer ? " whole buffer" : "");
    }
  }
}

TEST(Settings, TheTextBufferOffersTheHost128Units) {
  FakeHost host;
  intptr_t capacity = 0;
  host.Provide("Profile/GetString", [&](intptr_t, intptr_t lparam) -> intptr_t {
    capacity = reinterpret_cast<const ProfileTextBuffer*>(lparam)->capacity;
    return 0;
  });
  ReadSettingText(host.MakeShell(), kSectionSettings, "step_mark", "10.0");
  EXPECT_EQ(capacity, 128);
}

TEST(Settings, ALongCyrillicTextComesBackWhole) {
  FakeHost host;
  const Shell shell = host.MakeShell();
  std::string text;
  for (int i = 0; i < 150; ++i) text += "Ж";
  WriteSettingText(shell, kSectionGasoil, "gasoilPasportNum", text);
  EXPECT_EQ(ReadSettingText(shell, kSectionGasoil, "gasoilPasportNum", ""), text);
}

TEST(Settings, DeleteSectionRemovesOnlyThatSection) {
  struct Row {
    bool withPrefix;
    const char16_t* deletedPath;
  };
  const Row rows[] = {{true, u"plugins\\plug528\\paths"}, {false, u"paths"}};
  for (const Row& row : rows) {
    FakeHost host;
    const Shell shell = host.MakeShell(row.withPrefix);
    WriteSettingText(shell, kSectionPaths, "CHRM_GRAD", "/a");
    WriteSettingText(shell, kSectionPaths, "CHRM_IDLE", "/b");
    WriteSettingText(shell, "paths2", "CHRM_GRAD", "/c");  // shares the beginning of the name
    WriteSettingInt(shell, kSectionSettings, "num_device", 4);

    DeleteSettingSection(shell, kSectionPaths);

    const auto deletes = host.CallsOf("CallService", "Profile/DelKey");
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0].text, row.deletedPath);
    EXPECT_EQ(deletes[0].lparam, 0);
    EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", "gone"), "gone");
    EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_IDLE", "gone"), "gone");
    EXPECT_EQ(ReadSettingText(shell, "paths2", "CHRM_GRAD", ""), "/c");
    EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "num_device", 0), 4);
  }
}

TEST(Settings, EachOperationAsksForItsServiceThenCallsItOnce) {
  FakeHost host;
  const Shell shell = host.MakeShell();
  struct Row {
    const char* service;
    std::function<void()> operation;
  };
  const Row rows[] = {
      {"Profile/GetInt", [&] { ReadSettingInt(shell, kSectionSettings, "method", 0); }},
      {"Profile/SetInt", [&] { WriteSettingInt(shell, kSectionSettings, "method", 2); }},
      {"Profile/GetString", [&] { ReadSettingText(shell, kSectionSettings, "step_mark", "10.0"); }},
      {"Profile/SetString", [&] { WriteSettingText(shell, kSectionSettings, "step_mark", "5.0"); }},
      {"Profile/DelKey", [&] { DeleteSettingSection(shell, kSectionGasoil); }},
  };
  for (const Row& row : rows) {
    host.ClearCalls();
    row.operation();
    ASSERT_EQ(host.calls().size(), 2u) << row.service;
    EXPECT_EQ(host.calls()[0].entry, "ServiceExists");
    EXPECT_EQ(host.calls()[0].name, row.service);
    EXPECT_EQ(host.calls()[1].entry, "CallService");
    EXPECT_EQ(host.calls()[1].name, row.service);
  }
}

TEST(Settings, AFailedWriteIsReportedAsFailed) {
  FakeHost host;
  host.failProfileWrites = true;
  const Shell shell = host.MakeShell();
  EXPECT_FALSE(WriteSettingInt(shell, kSectionSettings, "num_device", 1));
  EXPECT_FALSE(WriteSettingText(shell, kSectionSettings, "step_mark", "1.0"));
  EXPECT_TRUE(host.profile.empty());
}

}  // namespace
}  // namespace p528
