#include "shell/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace p528 {
namespace {

TEST(DecimalPrefix, ReadsTheLongestDecimalPrefix) {
  struct Row { const char* text; double expected; };
  const Row rows[] = {
      {"12.5", 12.5},     {"  12.5abc", 12.5}, {"\t-3", -3.0},   {"+4.25", 4.25},
      {".5", 0.5},        {"5.", 5.0},         {"abc", 0.0},     {"", 0.0},
      {"-", 0.0},         {".", 0.0},          {"1e3", 1000.0},  {"1e", 1.0},
      {"1e+", 1.0},       {"2.5E-1x", 0.25},   {"1,5", 1.0},     {"0x10", 0.0},
      {"   ", 0.0},       {"007", 7.0},        {"inf", 0.0},     {"nan", 0.0},
  };
  for (const Row& row : rows) EXPECT_DOUBLE_EQ(DecimalPrefix(row.text), row.expected) << row.text;
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

TEST(Utf, RoundTripsCyrillicAndAstralCharacters) {
  const std::string text = "Сдвиг C10 °C 😀";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide[0], u'С');
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xD0"), u"\uFFFD");               // truncated two-byte sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");      // overlong form
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Cp1251, DecodesAndEncodesCyrillic) {
  EXPECT_EQ(DecodeCp1251("\xD1\xE0\xEC\xEF\xEB\xE5 \xB9"), "Сампле №");
  std::string bytes;
  EXPECT_TRUE(EncodeCp1251("Ёж С10;°", bytes));
  EXPECT_EQ(bytes, "\xA8\xE6 \xD1" "10;\xB0");
  EXPECT_EQ(DecodeCp1251(bytes), "Ёж С10;°");
}

TEST(Cp1251, ReportsCharactersOutsideTheCodePage) {
  std::string bytes;
  EXPECT_FALSE(EncodeCp1251("a€b漢", bytes));  // € is in the code page, 漢 is not
  EXPECT_EQ(bytes, "a\x88" "b?");
}

TEST(CompareNoCase, FoldsCyrillicAndFullUnicode) {
  EXPECT_TRUE(EqualsNoCase("#АНАЛИЗ", "#анализ"));
  EXPECT_TRUE(EqualsNoCase("#Градуировочная", "#градуировочнАЯ"));
  EXPECT_TRUE(EqualsNoCase("STRASSE", "straße"));
  EXPECT_FALSE(EqualsNoCase("#анализ", "#анализы"));
  EXPECT_LT(CompareNoCase("a", "B"), 0);
  EXPECT_EQ(FoldCase("ЖУК"), "жук");
}

TEST(LetterSwap, SwapsOnlyTheLetterC) {
  EXPECT_EQ(ToCyrillicC("C10 c"), "С10 с");
  EXPECT_EQ(ToLatinC("С10 с Ж"), "C10 c Ж");
  EXPECT_EQ(ToLatinC(ToCyrillicC("nC5 iC4")), "nC5 iC4");
}

TEST(FileNamePart, TakesTextAfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\data\\run1.stg"), "run1.stg");
  EXPECT_EQ(FileNamePart("/home/lab/run2.stg"), "run2.stg");
  EXPECT_EQ(FileNamePart("plain.stg"), "plain.stg");
}

}  // namespace
}  // namespace p528
