// The sample name rules of the host's AIA import, kept in the profile between imports.
#include "host/kit/formats/aia_format.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace p528::aia {
namespace {

TEST(AiaRoleRules, AreKeptInTheProfileInOrderAndASmallerSetLeavesNoOldRuleBehind) {
  test::TempFolder folder;
  hostkit::ProfileStore profile(folder / "profile");
  ASSERT_TRUE(SaveRoleRules(profile, {{"Эталонный газойль", 5}, {"", 3}, {"проверочная", 6}}));

  hostkit::ProfileStore again(folder / "profile");
  ASSERT_TRUE(again.Load());
  const std::vector<RoleRule> rules = LoadRoleRules(again);
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0].text, "Эталонный газойль");
  EXPECT_EQ(rules[0].role, 5);
  EXPECT_EQ(rules[1].text, "");  // fits every sample
  EXPECT_EQ(rules[1].role, 3);

  ASSERT_TRUE(SaveRoleRules(again, {{"холостой", 2}}));
  EXPECT_EQ(LoadRoleRules(again).size(), 1u);

  // A value without a known role word (edited by hand, or of a newer host) is passed over.
  again.SetText(std::string(kRoleRulesSection) + "\\2", "residue тяжёлый");
  again.SetText(std::string(kRoleRulesSection) + "\\3", "check проверочная");
  EXPECT_EQ(LoadRoleRules(again).size(), 2u);
}

}  // namespace
}  // namespace p528::aia
