#include "shell/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace p528 {
namespace {

TEST(Utf, RoundTripsCyrillicAndAstralCharacters) {
  const std::string text = "Сдвиг C10 °C 😀";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide[0], u'С');
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xD0"), u"\uFFFD");                             // truncated two-byte sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                   // overlong form
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Cp1251, DecodesAndEncodesCyrillic) {
  EXPECT_EQ(DecodeCp1251("\xD1\xE0\xEC\xEF\xEB\xE5 \xB9"), "Сампле №");
  std::string bytes;
  EXPECT_TRUE(EncodeCp1251("Ёж С10;°", bytes));
  EXPECT_EQ(bytes,
            "\xA8\xE6 \xD1"
            "10;\xB0");
  EXPECT_EQ(DecodeCp1251(bytes), "Ёж С10;°");
}

TEST(Cp1251, ReportsCharactersOutsideTheCodePage) {
  std::string bytes;
  EXPECT_FALSE(EncodeCp1251("a€b漢", bytes));  // € is in the code page, 漢 is not
  EXPECT_EQ(bytes,
            "a\x88"
            "b?");
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

TEST(MessageBoxLines, LineEndsAndTabsBecomeLinesAndBlanks) {
  EXPECT_EQ(MessageBoxLines(
                "Ошибка базы данных: no such table: assay\r\n\tЗапрос: SELECT 1\r\n\tКод ошибки SQLite: 1"),
            "Ошибка базы данных: no such table: assay\n    Запрос: SELECT 1\n    Код ошибки SQLite: 1");
  EXPECT_EQ(MessageBoxLines("a\rb\n\t\tc"), "a\nb\n        c");
  EXPECT_EQ(MessageBoxLines(""), "");
}

}  // namespace
}  // namespace p528
