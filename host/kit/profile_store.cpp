#include "host/kit/profile_store.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace p528::hostkit {

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '%': out += "%25"; break;
      case '\r': out += "%0D"; break;
      case '\n': out += "%0A"; break;
      case '=': out += "%3D"; break;
      default: out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexDigit(text[i + 1]);
      const int low = HexDigit(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || number < INT32_MIN || number > INT32_MAX) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

ProfileStore::ProfileStore(std::string path) : path_(std::move(path)) {}

bool ProfileStore::Load(std::string* error) {
  values_.clear();
  unreadLines_.clear();
  if (path_.empty()) return true;
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return true;
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read the profile " + path_ + ": " + std::strerror(errno);
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    const std::size_t equals = line.find(" = ");
    if (space == std::string::npos || equals == std::string::npos || equals < space) {
      unreadLines_.push_back(line);
      continue;
    }
    const std::string kind = line.substr(0, space);
    std::size_t keyStart = space;
    while (keyStart < equals && line[keyStart] == ' ') ++keyStart;
    const std::string key = Unescape(line.substr(keyStart, equals - keyStart));
    const std::string raw = line.substr(equals + 3);
    Value value;
    if (kind == "int" && ParseInt(raw, value.number)) {
      value.isInt = true;
    } else if (kind == "text") {
      value.text = Unescape(raw);
    } else {
      unreadLines_.push_back(line);
      continue;
    }
    values_[key] = value;
  }
  return true;
}

std::optional<int> ProfileStore::GetInt(const std::string& key) const {
  const auto it = values_.find(key);
  if (it == values_.end() || !it->second.isInt) return std::nullopt;
  return it->second.number;
}

std::optional<std::string> ProfileStore::GetText(const std::string& key) const {
  const auto it = values_.find(key);
  if (it == values_.end() || it->second.isInt) return std::nullopt;
  return it->second.text;
}

bool ProfileStore::SetInt(const std::string& key, int value) {
  Value& stored = values_[key];
  stored = Value{true, value, {}};
  return Save();
}

bool ProfileStore::SetText(const std::string& key, const std::string& value) {
  Value& stored = values_[key];
  stored = Value{false, 0, value};
  return Save();
}

void ProfileStore::DeleteSection(const std::string& section) {
  const std::string prefix = section + "\\";
  bool changed = false;
  for (auto it = values_.lower_bound(prefix); it != values_.end() && it->first.starts_with(prefix);) {
    it = values_.erase(it);
    changed = true;
  }
  if (changed) Save();
}

bool ProfileStore::Save() {
  if (path_.empty()) return true;
  std::ostringstream out;
  out << "# plug528 profile: settings kept between runs of simdist\n";
  for (const auto& [key, value] : values_) {
    if (value.isInt) {
      out << "int " << Escape(key) << " = " << value.number << "\n";
    } else {
      out << "text " << Escape(key) << " = " << Escape(value.text) << "\n";
    }
  }
  for (const std::string& line : unreadLines_) out << line << "\n";

  std::error_code ec;
  const std::filesystem::path target(path_);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
  const std::string temporary = path_ + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << out.str();
    file.flush();
    if (!file) {
      if (saveError_.empty()) saveError_ = "cannot write the profile " + temporary;
      return false;
    }
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    if (saveError_.empty()) saveError_ = "cannot replace the profile " + path_ + ": " + ec.message();
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

std::string DefaultProfilePath() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    return std::string(config) + "/plug528/profile";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    return std::string(home) + "/.config/plug528/profile";
  }
  return {};
}

}  // namespace p528::hostkit
