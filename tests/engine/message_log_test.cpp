#include "workbench/message_log.h"

#include "shell/shell.h"
#include "shell/string_table.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

constexpr const char* kEmptyText = "\r\n \tПредупреждений и ошибок нет.";

TEST(MessageLog, EmptyLogShowsTheNoMessagesTextWhateverTheFilters) {
  Shell shell;
  MessageLog log(&shell);
  log.showErrors = log.showWarnings = log.showInformation = false;
  EXPECT_EQ(log.Format(), kEmptyText);
  log.AddWarning("w");
  log.Clear();
  EXPECT_TRUE(log.IsEmpty());
  EXPECT_EQ(log.Format(), kEmptyText);
}

TEST(MessageLog, NumberingRunsAcrossTheKindsShown) {
  Shell shell;
  MessageLog log(&shell);
  log.AddWarning("warn");
  log.AddError("first");
  log.AddInformation("note");
  log.AddError("second");
  struct Case {
    bool errors, warnings, information;
    const char* text;
  } cases[] = {
      {true, true, true,
       "1.  Ошибка! \r\n\tfirst\r\n2.  Ошибка! \r\n\tsecond\r\n3. Предупреждение! \r\n\twarn\r\n"
       "4. Информация! \r\n\tnote\r\n"},
      {false, true, true, "1. Предупреждение! \r\n\twarn\r\n2. Информация! \r\n\tnote\r\n"},
      {true, false, false, "1.  Ошибка! \r\n\tfirst\r\n2.  Ошибка! \r\n\tsecond\r\n"},
      {false, false, true, "1. Информация! \r\n\tnote\r\n"},
      {false, false, false, ""},
  };
  for (const Case& c : cases) {
    log.showErrors = c.errors;
    log.showWarnings = c.warnings;
    log.showInformation = c.information;
    EXPECT_EQ(log.Format(), c.text);
    EXPECT_EQ(log.Text(), c.text);
  }
}

TEST(MessageLog, OnlyFilteredInformationGivesAnEmptyTextNotTheEmptyLogText) {
  MessageLog log;  // without a shell: the module's own texts
  log.AddInformation("note");
  log.showInformation = false;
  EXPECT_EQ(log.Format(), "");
}

TEST(MessageLog, SameTextTwiceIsShownTwice) {
  MessageLog log;
  log.AddError("dup");
  log.AddError("dup");
  EXPECT_EQ(log.Format(), "1.  Ошибка! \r\n\tdup\r\n2.  Ошибка! \r\n\tdup\r\n");
}

TEST(MessageLog, FormatErrorForTheReport) {
  MessageLog log;
  log.AddError("a\r\n\tb");
  log.AddWarning("not an error");
  EXPECT_EQ(log.ErrorCount(), 1u);
  EXPECT_EQ(log.FormatError(0), "Ошибка! \r\n\ta\r\n\tb\r\n");
  EXPECT_EQ(log.FormatError(1), "");
}

TEST(MessageLog, EnglishInterfaceUsesTheSatelliteTexts) {
  Shell shell;
  shell.resources = &EnglishStrings();
  MessageLog log(&shell);
  log.AddError("x");
  EXPECT_EQ(log.Format(), "1.  Error! \r\n\tx\r\n");
  log.Clear();
  EXPECT_EQ(log.Format(), "\r\n \tNo warnings or errors.");
}

}  // namespace
}  // namespace p528
