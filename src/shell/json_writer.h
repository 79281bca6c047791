// A small streaming JSON writer for the command-line tools' documented output.
//
// Values are appended in document order; commas, colons and (optionally) indentation are
// added by the writer. Strings are taken as UTF-8: valid sequences are written as they are,
// control characters and the JSON specials are escaped, U+2028/U+2029 as \u escapes, and
// every byte that is not part of a valid UTF-8 sequence becomes U+FFFD, so the output is
// always valid UTF-8 JSON whatever bytes a file held. Doubles are written with 17
// significant digits ("%.17g", "." as decimal point), which gives back the same double when
// read; infinities and NaN, which JSON cannot hold, are written as null.
//
// Misuse (a value where a key is due, unbalanced End calls) is a programming error: it is
// caught by assert in debug builds and otherwise produces malformed output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace p528 {

class JsonWriter {
 public:
  // indent: spaces per nesting level; 0 writes everything on one line without blanks.
  explicit JsonWriter(int indent = 0) : indent_(indent) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The next value's member name (inside an object).
  void Key(std::string_view name);

  void String(std::string_view utf8);
  void Int(int64_t value);
  void UInt(uint64_t value);
  void Double(double value);  // null when not finite
  void Bool(bool value);
  void Null();
  // A whole JSON value written elsewhere (a document of its own), as it is; trailing line
  // ends and blanks are left out, an empty text is null. The caller vouches for its syntax.
  void Raw(std::string_view json);

  // Key + value in one call.
  void Member(std::string_view name, std::string_view utf8) {
    Key(name);
    String(utf8);
  }
  void Member(std::string_view name, const char* utf8) {
    Key(name);
    String(utf8);
  }
  void Member(std::string_view name, const std::string& utf8) {
    Key(name);
    String(utf8);
  }
  void Member(std::string_view name, int value) {
    Key(name);
    Int(value);
  }
  void Member(std::string_view name, int64_t value) {
    Key(name);
    Int(value);
  }
  void Member(std::string_view name, uint32_t value) {
    Key(name);
    UInt(value);
  }
  void Member(std::string_view name, uint64_t value) {
    Key(name);
    UInt(value);
  }
  void Member(std::string_view name, double value) {
    Key(name);
    Double(value);
  }
  void Member(std::string_view name, bool value) {
    Key(name);
    Bool(value);
  }

  // The document so far (complete once every Begin has its End).
  const std::string& str() const { return out_; }
  std::string Take() { return std::move(out_); }

  // The JSON string literal of `utf8`, quotes included.
  static std::string Quote(std::string_view utf8);

 private:
  struct Level {
    bool isObject;
    bool empty = true;
  };
  void BeforeValue();
  void Open(char bracket, bool isObject);
  void Close(char bracket, bool isObject);
  void NewLine(size_t depth);

  int indent_;
  std::string out_;
  std::vector<Level> stack_;
  bool keyPending_ = false;
};

}  // namespace p528
