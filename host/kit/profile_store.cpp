#include "host/kit/profile_store.h"

#include "shell/atomic_file.h"
#include "shell/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A key as written: escaped, and its leading blanks too (the reader skips the blanks between
// the kind and the key, so " a" would come back as "a", a key of its own).
std::string EscapeKey(const std::string& key) {
  std::string out = Escape(key);
  std::size_t blanks = 0;
  while (blanks < out.size() && out[blanks] == ' ') ++blanks;
  std::string encoded;
  for (std::size_t i = 0; i < blanks; ++i) encoded += "%20";
  return encoded + out.substr(blanks);
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

// The profile file held under an exclusive lock for one read-modify-write. The lock is
// taken on the file itself; a writer that replaced the file meanwhile (rename over it) has
// left us holding the lock of a file no longer at the path, so the path is opened again.
class LockedProfile {
 public:
  ~LockedProfile() {
    if (fd_ >= 0) ::close(fd_);  // releases the lock
  }
  bool Open(const std::string& target, std::string& reason) {
    for (;;) {
      struct stat atPath {};
      if (::stat(target.c_str(), &atPath) == 0 && !S_ISREG(atPath.st_mode)) {
        reason = FileKindText(atPath.st_mode);
        return false;
      }
      fd_ = ::open(target.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
      if (fd_ < 0) {
        reason = std::strerror(errno);
        return false;
      }
      struct stat held {};
      if (::fstat(fd_, &held) != 0 || !S_ISREG(held.st_mode)) {
        reason = FileKindText(held.st_mode);
        return false;
      }
      int locked;
      do {
        locked = ::flock(fd_, LOCK_EX);
      } while (locked != 0 && errno == EINTR);
      if (locked != 0) {
        reason = std::strerror(errno);
        return false;
      }
      if (::fstat(fd_, &held) == 0 && ::stat(target.c_str(), &atPath) == 0 && held.st_dev == atPath.st_dev &&
          held.st_ino == atPath.st_ino) {
        return true;
      }
      ::close(fd_);
      fd_ = -1;
    }
  }
  bool Read(std::string& bytes, std::string& reason) const {
    bytes.clear();
    char chunk[1 << 14];
    for (off_t at = 0;;) {
      const ssize_t n = ::pread(fd_, chunk, sizeof chunk, at);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        reason = std::strerror(errno);
        return false;
      }
      if (n == 0) return true;
      bytes.append(chunk, static_cast<std::size_t>(n));
      at += n;
    }
  }

 private:
  int fd_ = -1;
};

}  // namespace

ProfileStore::ProfileStore(std::string path) : path_(std::move(path)) {}

void ProfileStore::Parse(const std::string& bytes) {
  lines_.clear();
  values_.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string text = bytes.substr(start, end - start);
    start = end + 1;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    Line line{text, {}, {}};
    const std::size_t space = text.find(' ');
    const std::size_t equals = text.find(" = ");
    if (!text.empty() && text[0] != '#' && space != std::string::npos && equals != std::string::npos &&
        equals >= space) {
      const std::string kind = text.substr(0, space);
      std::size_t keyStart = space;
      while (keyStart < equals && text[keyStart] == ' ') ++keyStart;
      const std::string raw = text.substr(equals + 3);
      if (kind == "int" && ParseInt(raw, line.value.number)) {
        line.value.isInt = true;
        line.key = Unescape(text.substr(keyStart, equals - keyStart));
      } else if (kind == "text") {
        line.value.text = Unescape(raw);
        line.key = Unescape(text.substr(keyStart, equals - keyStart));
      }
    }
    if (!line.key.empty()) values_[line.key] = line.value;
    lines_.push_back(std::move(line));
  }
}

std::string ProfileStore::Serialise() const {
  std::string out;
  if (lines_.empty()) out = "# plug528 profile: settings kept between runs of simdist\n";
  for (const Line& line : lines_) out += line.text + "\n";
  return out;
}

bool ProfileStore::Load(std::string* error) {
  lines_.clear();
  values_.clear();
  if (path_.empty()) return true;
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0 && errno == ENOENT) return true;
  std::string bytes;
  std::string reason;
  if (!ReadRegularFile(path_, bytes, &reason)) {
    if (error) *error = "cannot read the profile " + path_ + ": " + reason;
    return false;
  }
  Parse(bytes);
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

bool ProfileStore::Put(const std::string& key, const Value& value) {
  // A value the file holds already, on a line of its own, is not written again.
  const auto stored = values_.find(key);
  if (stored != values_.end() && stored->second.isInt == value.isInt &&
      stored->second.number == value.number && stored->second.text == value.text &&
      std::count_if(lines_.begin(), lines_.end(), [&](const Line& line) { return line.key == key; }) == 1) {
    return false;
  }
  std::string text = value.isInt ? "int " + EscapeKey(key) + " = " + std::to_string(value.number)
                                 : "text " + EscapeKey(key) + " = " + Escape(value.text);
  bool placed = false;
  for (auto it = lines_.begin(); it != lines_.end();) {
    if (it->key != key) {
      ++it;
    } else if (placed) {
      it = lines_.erase(it);  // a value given twice keeps its first line only
    } else {
      *it = Line{text, key, value};
      placed = true;
      ++it;
    }
  }
  if (!placed) lines_.push_back(Line{std::move(text), key, value});
  values_[key] = value;
  return true;
}

bool ProfileStore::Erase(const std::string& section) {
  const std::string prefix = section + "\\";
  const std::size_t before = lines_.size();
  std::erase_if(lines_, [&](const Line& line) { return !line.key.empty() && line.key.starts_with(prefix); });
  std::erase_if(values_, [&](const auto& entry) { return entry.first.starts_with(prefix); });
  return lines_.size() != before;
}

bool ProfileStore::SetInt(const std::string& key, int value) {
  return Change([&] { return Put(key, Value{true, value, {}}); });
}

bool ProfileStore::SetText(const std::string& key, const std::string& value) {
  return Change([&] { return Put(key, Value{false, 0, value}); });
}

void ProfileStore::DeleteSection(const std::string& section) {
  Change([&] { return Erase(section); });
}

bool ProfileStore::Change(const std::function<bool()>& edit) {
  if (path_.empty()) {
    edit();
    return true;
  }
  const std::string target = ResolveLinks(path_);
  // Only the profile's own folder is made: a link whose target lies in folders that do not
  // exist makes none of them (it could name any place).
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);

  std::string reason;
  std::string bytes;
  LockedProfile lock;
  if (!lock.Open(target, reason) || !lock.Read(bytes, reason)) {
    edit();  // the run goes on with the value; the failure is reported at its end
    if (saveError_.empty()) saveError_ = "cannot write the profile " + path_ + ": " + reason;
    return false;
  }
  // What other runs stored since this one read the file is kept: the change is made to
  // the file as it is now.
  Parse(bytes);
  if (!edit()) return true;
  if (!WriteFileAtomically(target, Serialise(), reason)) {
    if (saveError_.empty()) saveError_ = "cannot write the profile " + path_ + ": " + reason;
    return false;
  }
  return true;
}

ProfileStore ProfileStore::InMemoryCopy() const {
  ProfileStore copy(*this);
  copy.path_.clear();
  copy.saveError_.clear();
  return copy;
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
