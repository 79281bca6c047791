#include "shell/json_writer.h"

#include "shell/text.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace p528 {

namespace {

void AppendEscaped(std::string& out, std::string_view s) {
  out.push_back('"');
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        ++i;
        continue;
      case '\\':
        out += "\\\\";
        ++i;
        continue;
      case '\b':
        out += "\\b";
        ++i;
        continue;
      case '\f':
        out += "\\f";
        ++i;
        continue;
      case '\n':
        out += "\\n";
        ++i;
        continue;
      case '\r':
        out += "\\r";
        ++i;
        continue;
      case '\t':
        out += "\\t";
        ++i;
        continue;
      default: break;
    }
    if (u < 0x20 || u == 0x7F) {
      out += Format("\\u%04x", u);
      ++i;
      continue;
    }
    const size_t len = ValidUtf8Length(s, i);
    if (len == 0) {
      out += "\\ufffd";
      ++i;
    } else if (len == 3 && s.compare(i, 3, "\xE2\x80\xA8") == 0) {
      out += "\\u2028";
      i += 3;
    } else if (len == 3 && s.compare(i, 3, "\xE2\x80\xA9") == 0) {
      out += "\\u2029";
      i += 3;
    } else {
      out.append(s, i, len);
      i += len;
    }
  }
  out.push_back('"');
}

}  // namespace

std::string JsonWriter::Quote(std::string_view utf8) {
  std::string out;
  AppendEscaped(out, utf8);
  return out;
}

void JsonWriter::NewLine(size_t depth) {
  if (indent_ <= 0) return;
  out_.push_back('\n');
  out_.append(depth * static_cast<size_t>(indent_), ' ');
}

void JsonWriter::BeforeValue() {
  if (keyPending_) {
    keyPending_ = false;
    return;
  }
  if (stack_.empty()) return;
  assert(!stack_.back().isObject && "a value inside an object needs a key");
  if (!stack_.back().empty) out_.push_back(',');
  stack_.back().empty = false;
  NewLine(stack_.size());
}

void JsonWriter::Key(std::string_view name) {
  assert(!stack_.empty() && stack_.back().isObject && !keyPending_);
  if (!stack_.back().empty) out_.push_back(',');
  stack_.back().empty = false;
  NewLine(stack_.size());
  AppendEscaped(out_, name);
  out_ += indent_ > 0 ? ": " : ":";
  keyPending_ = true;
}

void JsonWriter::Open(char bracket, bool isObject) {
  BeforeValue();
  out_.push_back(bracket);
  stack_.push_back({isObject});
}

void JsonWriter::Close(char bracket, bool isObject) {
  assert(!stack_.empty() && stack_.back().isObject == isObject && !keyPending_);
  (void)isObject;
  const bool wasEmpty = stack_.back().empty;
  stack_.pop_back();
  if (!wasEmpty) NewLine(stack_.size());
  out_.push_back(bracket);
}

void JsonWriter::BeginObject() { Open('{', true); }
void JsonWriter::EndObject() { Close('}', true); }
void JsonWriter::BeginArray() { Open('[', false); }
void JsonWriter::EndArray() { Close(']', false); }

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendEscaped(out_, utf8);
}

void JsonWriter::Int(int64_t value) {
  BeforeValue();
  out_ += Format("%lld", static_cast<long long>(value));
}

void JsonWriter::UInt(uint64_t value) {
  BeforeValue();
  out_ += Format("%llu", static_cast<unsigned long long>(value));
}

void JsonWriter::Double(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  // The text of printf's "%.17g" (to_chars with a precision is defined as printf in the C
  // locale), without printf's cost: a result file holds thousands of numbers.
  char text[32];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
  out_.append(text, written.ptr);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

void JsonWriter::Raw(std::string_view json) {
  while (!json.empty() && (json.back() == '\n' || json.back() == ' ')) json.remove_suffix(1);
  if (json.empty()) {
    Null();
    return;
  }
  BeforeValue();
  out_ += json;
}

}  // namespace p528
