// The extension the save dialog adds to a name typed without one.
#include "report/report_file_name.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

TEST(WithDefaultExtension, OnlyANameWithoutExtensionGetsHtml) {
  struct Case {
    const char* chosen;
    const char* saved;
  };
  const Case cases[] = {
      {"/tmp/Report528_5032024_093005", "/tmp/Report528_5032024_093005.html"},
      {"/tmp/r.htm", "/tmp/r.htm"},
      {"/tmp/r.", "/tmp/r.html"},
      {"/tmp/.report", "/tmp/.report.html"},
      {"/tmp.d/report", "/tmp.d/report.html"},
      {"/tmp/", "/tmp/"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithDefaultExtension(c.chosen, "html"), c.saved) << c.chosen;
}

}  // namespace
}  // namespace p528
