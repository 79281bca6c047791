#include "shell/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace p528 {
namespace {

TEST(DecimalPrefix, ReadsTheLongestDecimalPrefix) {
  struct Row {
    const char* text;
    double expected;
  };
  const Row rows[] = {
      {"12.5", 12.5},  {"  12.5abc", 12.5}, {"\t-3", -3.0}, {"+4.25", 4.25},   {".5", 0.5},
      {"5.", 5.0},     {"abc", 0.0},        {"", 0.0},      {"-", 0.0},        {".", 0.0},
      {"1e3", 1000.0}, {"1e", 1.0},         {"1e+", 1.0},   {"2.5E-1x", 0.25}, {"1,5", 1.0},
      {"0x10", 0.0},   {"   ", 0.0},        {"007", 7.0},   {"inf", 0.0},      {"nan", 0.0},
  };
  for (const Row& row : rows) EXPECT_DOUBLE_EQ(DecimalPrefix(row.text), row.expected) << row.text;
}

TEST(TypedNumber, ACommaIsTheDecimalSeparator) {
  struct Row {
    const char* text;
    double expected;
  };
  const Row rows[] = {{"12,5", 12.5}, {"7.6", 7.6},   {" -0,25", -0.25},
                      {",5", 0.5},    {"1,2,3", 1.2}, {"abc", 0.0}};
  for (const Row& row : rows) EXPECT_DOUBLE_EQ(TypedNumber(row.text), row.expected) << row.text;
}

TEST(DecimalPrefix, OutOfRangeBehavesLikeStrtod) {
  EXPECT_TRUE(std::isinf(DecimalPrefix("1e999")));
  EXPECT_LT(DecimalPrefix("-1e999"), 0.0);
  EXPECT_EQ(DecimalPrefix("1e-999"), 0.0);
}

TEST(Format, UsesAFullStopWhateverTheLocale) {
  // A Russian numeric locale would print a comma; the formatter must not.
  const char* ru = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  EXPECT_EQ(Format("%.2f", 3.14159), "3.14");
  EXPECT_EQ(Format("%.17g", 0.1), "0.10000000000000001");
  if (ru != nullptr) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(Format("%i-%s", 7, "x"), "7-x");
  const std::string longText(1000, 'a');
  EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
}

}  // namespace
}  // namespace p528
