// JSON writer: separators and nesting, string escaping of arbitrary bytes, numbers.
#include "shell/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace p528 {
namespace {

struct QuoteCase {
  const char* name;
  std::string input;
  std::string expected;
};

TEST(JsonWriter, StringEscaping) {
  const QuoteCase cases[] = {
      {"plain", "abc", "\"abc\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"short escapes", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {"other controls", std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
      {"nul inside", std::string("a\0b", 3), "\"a\\u0000b\""},
      {"slash stays", "a/b", "\"a/b\""},
      {"cyrillic passes", "Проба С10", "\"Проба С10\""},
      {"four-byte passes", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
      {"line separators", "\xE2\x80\xA8\xE2\x80\xA9", "\"\\u2028\\u2029\""},
      {"windows-1251 byte", "\xC6", "\"\\ufffd\""},
      {"truncated sequence", "a\xD0", "\"a\\ufffd\""},
      {"overlong slash", "\xC0\xAF", "\"\\ufffd\\ufffd\""},
      {"surrogate", "\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
      {"above U+10FFFF", "\xF4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},
      {"stray continuation then valid", "\x80Ж", "\"\\ufffdЖ\""},
  };
  for (const QuoteCase& c : cases) EXPECT_EQ(JsonWriter::Quote(c.input), c.expected) << c.name;
}

TEST(JsonWriter, NumbersRoundTripAndNonFiniteIsNull) {
  const double values[] = {0.1, 1.0 / 3.0, -0.0, 5e-324, 1.7976931348623157e308, 123456789.125, -1.0};
  for (double v : values) {
    JsonWriter w;
    w.Double(v);
    EXPECT_EQ(std::strtod(w.str().c_str(), nullptr), v) << w.str();
    EXPECT_EQ(std::signbit(std::strtod(w.str().c_str(), nullptr)), std::signbit(v)) << w.str();
  }
  JsonWriter w;
  w.BeginArray();
  w.Double(std::numeric_limits<double>::infinity());
  w.Double(-std::numeric_limits<double>::infinity());
  w.Double(std::nan(""));
  w.Int(std::numeric_limits<int64_t>::min());
  w.UInt(std::numeric_limits<uint64_t>::max());
  w.Double(0.1);
  w.EndArray();
  EXPECT_EQ(w.str(), "[null,null,null,-9223372036854775808,18446744073709551615,0.10000000000000001]");
}

// Result files are compared byte for byte between versions: every number keeps the text of
// printf's "%.17g".
TEST(JsonWriter, NumbersAreTheTextOfPrintf) {
  std::vector<double> values = {0.0, -0.0, 1e-5, 1e16, 1e17, 123456.5, 99.5, 5e-324, 2.2250738585072014e-308};
  uint64_t bits = 0x9E3779B97F4A7C15u;
  for (int k = 0; k < 2000; ++k) {
    bits = bits * 6364136223846793005u + 1442695040888963407u;
    const double v = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 120) - 100);
    values.push_back(k % 2 ? -v : v);
  }
  for (double v : values) {
    JsonWriter w;
    w.Double(v);
    char expected[40];
    std::snprintf(expected, sizeof expected, "%.17g", v);
    ASSERT_EQ(w.str(), expected);
  }
}

TEST(JsonWriter, CompactNesting) {
  JsonWriter w;
  w.BeginObject();
  w.Member("status", 0);
  w.Member("name", "Ж\"");
  w.Key("empty");
  w.BeginArray();
  w.EndArray();
  w.Key("list");
  w.BeginArray();
  w.BeginObject();
  w.EndObject();
  w.Bool(true);
  w.Null();
  w.EndArray();
  w.Member("flag", false);
  w.EndObject();
  EXPECT_EQ(w.str(), "{\"status\":0,\"name\":\"Ж\\\"\",\"empty\":[],\"list\":[{},true,null],\"flag\":false}");
}

TEST(JsonWriter, IndentedNesting) {
  JsonWriter w(2);
  w.BeginObject();
  w.Member("a", 1);
  w.Key("b");
  w.BeginArray();
  w.Int(2);
  w.Int(3);
  w.EndArray();
  w.Key("c");
  w.BeginObject();
  w.EndObject();
  w.EndObject();
  EXPECT_EQ(w.str(), "{\n  \"a\": 1,\n  \"b\": [\n    2,\n    3\n  ],\n  \"c\": {}\n}");
}

}  // namespace
}  // namespace p528
