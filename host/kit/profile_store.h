// The command line's profile store: the host's settings kept in a small text file, so that
// every setting written by one run of `simdist` is read by the next, exactly as a host keeps
// its profile between starts.
//
// File format (UTF-8, one value per line, blank lines and lines starting with "#" ignored):
//   int  <key path> = <decimal int>
//   text <key path> = <text>
// Key paths are the settings' full paths ("plugins\plug528\settings\method"). In keys and
// texts "%", CR, LF, "=" are written as "%25", "%0D", "%0A", "%3D"; nothing else is escaped.
// Keys are case-sensitive. A line that cannot be read is kept aside and written back
// unchanged, so a damaged or newer file never loses data.
//
// Every change is written at once: to a temporary file beside the profile, then renamed over
// it. Not thread-safe.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace p528::hostkit {

class ProfileStore {
 public:
  // A store bound to `path`; Load() reads it. An empty path keeps values in memory only.
  explicit ProfileStore(std::string path = {});

  // Reads the file. A missing file is an empty profile (true); false with `error` filled
  // when the file exists but cannot be read.
  bool Load(std::string* error = nullptr);

  std::optional<int> GetInt(const std::string& key) const;
  std::optional<std::string> GetText(const std::string& key) const;
  // Store a value (replacing a value of either kind under that key) and save.
  bool SetInt(const std::string& key, int value);
  bool SetText(const std::string& key, const std::string& value);
  // Deletes every key under `section` (the section path followed by a backslash) and saves.
  void DeleteSection(const std::string& section);

  const std::string& path() const { return path_; }
  // The first save that failed in this run ("" when every save succeeded).
  const std::string& saveError() const { return saveError_; }

 private:
  struct Value {
    bool isInt = false;
    int number = 0;
    std::string text;
  };
  bool Save();

  std::string path_;
  std::map<std::string, Value> values_;
  std::vector<std::string> unreadLines_;  // kept as they were
  std::string saveError_;
};

// The default profile file: $XDG_CONFIG_HOME/plug528/profile, or ~/.config/plug528/profile;
// "" when neither variable is set.
std::string DefaultProfilePath();

}  // namespace p528::hostkit
