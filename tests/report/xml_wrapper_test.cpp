// The report document's holder: typed leaves, literal texts, Base64.
#include "report_fixture.h"

#include <cstring>

namespace p528::report_test {
namespace {

TEST(Base64, Rfc4648Vectors) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(Base64Encode(reinterpret_cast<const unsigned char*>(in), std::strlen(in)), out) << in;
  }
  const unsigned char high[] = {0xFF, 0xFE, 0xFD, 0x00, 0x3E, 0x3F};
  EXPECT_EQ(Base64Encode(high, sizeof high), "//79AD4/");
}

TEST(XmlSafeText, KeepsTextReplacesWhatXmlCannotCarry) {
  const std::pair<std::string, std::string> cases[] = {
      {"Дизельное топливо, № 5 — «Л»", "Дизельное топливо, № 5 — «Л»"},
      {"tab\tlf\ncr\r", "tab\tlf\ncr\r"},
      {"<&>\"'", "<&>\"'"},
      {std::string("a\0b", 3),
       "a\xEF\xBF\xBD"
       "b"},
      {"bell\x07", "bell\xEF\xBF\xBD"},
      {"\xC3(", "\xEF\xBF\xBD("},                                // a lead byte without its continuation
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // an encoded surrogate
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // an overlong '/'
      {"\xEF\xBF\xBE", "\xEF\xBF\xBD"},                          // U+FFFE
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                  // beyond the basic plane
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(XmlSafeText(in), out);
}

TEST(CXMLWrapper, TypedLeavesAndContainers) {
  CXMLWrapper wrapper;
  ASSERT_TRUE(wrapper.Init());
  EXPECT_EQ(Str(wrapper.Root()->name), "Document");
  EXPECT_TRUE(Elements(wrapper.Root()).empty());

  xmlNodePtr section = wrapper.AddElement(nullptr, "section");
  xmlNodePtr text = wrapper.AddText(section, "text", "<b>&amp; \"x\"</b>");
  xmlNodePtr number = wrapper.AddInt(section, "number", -2147483647 - 1);
  const unsigned char bytes[] = {0x89, 'P', 'N', 'G'};
  xmlNodePtr binary = wrapper.AddBinary(nullptr, "binary", bytes, sizeof bytes);
  xmlNodePtr empty = wrapper.AddText(nullptr, "empty", "");
  ASSERT_TRUE(section && text && number && binary && empty);
  EXPECT_FALSE(wrapper.Failed());

  EXPECT_EQ(ChildNames(wrapper.Root()), (std::vector<std::string>{"section", "binary", "empty"}));
  EXPECT_EQ(ChildNames(section), (std::vector<std::string>{"text", "number"}));
  // The text is one text node, taken literally.
  EXPECT_EQ(Value(text), "<b>&amp; \"x\"</b>");
  ASSERT_NE(text->children, nullptr);
  EXPECT_EQ(text->children->type, XML_TEXT_NODE);
  EXPECT_EQ(text->children->next, nullptr);
  EXPECT_EQ(Value(number), "-2147483648");
  EXPECT_EQ(Value(binary), "iVBORw==");
  EXPECT_EQ(Value(empty), "");
  EXPECT_EQ(DataType(text), "string");
  EXPECT_EQ(DataType(number), "i4");
  EXPECT_EQ(DataType(binary), "bin.base64");
  EXPECT_EQ(DataType(empty), "string");
  EXPECT_EQ(DataType(section), "");
}

TEST(CXMLWrapper, InitStartsAFreshDocument) {
  CXMLWrapper wrapper;
  ASSERT_TRUE(wrapper.Init());
  wrapper.AddText(nullptr, "old", "x");
  ASSERT_TRUE(wrapper.Init());
  EXPECT_TRUE(Elements(wrapper.Root()).empty());
}

TEST(CXMLWrapper, NothingToAddToBeforeInit) {
  CXMLWrapper wrapper;
  EXPECT_EQ(wrapper.AddElement(nullptr, "a"), nullptr);
  EXPECT_TRUE(wrapper.Failed());
}

}  // namespace
}  // namespace p528::report_test
