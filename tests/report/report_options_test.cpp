// Report options: the nine flags in the settings, and the command line's choice of sections.
#include "report_fixture.h"

#include "report/report_options.h"
#include "shell/text.h"

namespace p528::report_test {
namespace {

const char* const kKeys[] = {"flag_files",       "flag_grad_chart",   "flag_resp_rate",
                             "flag_Ref_table",   "flag_prop_chart",   "flag_prop_table",
                             "flag_fract_table", "flag_prop_ISO3405", "flag_msgs"};

std::vector<int32_t> Values(const ReportOptions& options) {
  std::vector<int32_t> values;
  for (const ReportFlagSpec& flag : ReportFlags()) values.push_back(options.*flag.member);
  return values;
}

TEST(ReportFlags, KeysControlsAndOrder) {
  const int controls[] = {1035, 1036, 1042, 1040, 1037, 1038, 1041, 1043, 1039};
  for (std::size_t i = 0; i < ReportFlags().size(); ++i) {
    EXPECT_STREQ(ReportFlags()[i].key, kKeys[i]);
    EXPECT_EQ(ReportFlags()[i].controlId, controls[i]);
  }
  Shell shell;
  EXPECT_EQ(shell.Str(ReportFlags()[0].captionText), "Список файлов");
  EXPECT_EQ(shell.Str(ReportFlags()[8].captionText), "Системные сообщения");
}

TEST(ReportFlags, LoadReadsEveryKeyAbsentIsZero) {
  test::FakeHost host;
  Shell shell = host.MakeShell();
  ReportOptions options;
  options.flag_msgs = 5;
  options.LoadFlags(shell);
  EXPECT_EQ(Values(options), std::vector<int32_t>(9, 0));

  for (int i = 0; i < 9; ++i)
    host.SetProfileInt(std::string("plugins\\plug528\\settings\\") + kKeys[i], i + 1);
  options.LoadFlags(shell);
  EXPECT_EQ(Values(options), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

  host.RemoveProfileServices();
  options.LoadFlags(shell);
  EXPECT_EQ(Values(options), std::vector<int32_t>(9, 0));
}

TEST(ReportFlags, StoreWritesTheNineKeysInOrder) {
  test::FakeHost host;
  Shell shell = host.MakeShell();
  ReportOptions options;
  options.flag_grad_chart = 1;
  options.flag_msgs = 1;
  host.ClearCalls();
  options.StoreFlags(shell);
  std::vector<std::string> written;
  for (const test::HostCall& call : host.CallsOf("CallService", "Profile/SetInt"))
    written.push_back(Utf16ToUtf8(call.text));
  std::vector<std::string> expected;
  for (const char* key : kKeys) expected.push_back(std::string("plugins\\plug528\\settings\\") + key);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\flag_grad_chart"), 1);
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\flag_files"), 0);

  ReportOptions again;
  again.LoadFlags(shell);
  EXPECT_EQ(Values(again), Values(options));
}

TEST(ReportFlags, OnlyOneIncludesButMessagesCountFromOne) {
  const std::pair<int32_t, bool> files[] = {{0, false}, {1, true}, {2, false}, {-1, false}};
  const std::pair<int32_t, bool> msgs[] = {{0, false}, {1, true}, {2, true}, {100, true}, {-1, false}};
  for (const auto& [value, included] : files) {
    ReportOptions options;
    options.flag_files = value;
    EXPECT_EQ(SectionIncluded(options, &ReportOptions::flag_files), included) << value;
  }
  for (const auto& [value, included] : msgs) {
    ReportOptions options;
    options.flag_msgs = value;
    EXPECT_EQ(SectionIncluded(options, &ReportOptions::flag_msgs), included) << value;
  }
}

TEST(SectionList, NamesOfTheCommandLine) {
  struct Case {
    const char* list;
    bool ok;
    std::vector<int32_t> values;
    const char* bad;
  };
  const Case cases[] = {
      {"all", true, std::vector<int32_t>(9, 1), ""},
      {"ALL", true, std::vector<int32_t>(9, 1), ""},
      {"none", true, std::vector<int32_t>(9, 0), ""},
      {"files,msgs", true, {1, 0, 0, 0, 0, 0, 0, 0, 1}, ""},
      {"flag_Ref_table, prop_iso3405 ,GRAD_CHART", true, {0, 1, 0, 1, 0, 0, 0, 1, 0}, ""},
      {"files,charts", false, {}, "charts"},
      {"", false, {}, ""},
      {"files,", false, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ReportOptions options;
    options.flag_fract_table = 7;
    std::string bad = "unchanged";
    EXPECT_EQ(ParseSectionList(c.list, options, bad), c.ok);
    if (c.ok) {
      EXPECT_EQ(Values(options), c.values);
    } else {
      EXPECT_EQ(bad, c.bad);
      EXPECT_EQ(options.flag_fract_table, 7);  // left as it was
    }
  }
}

}  // namespace
}  // namespace p528::report_test
