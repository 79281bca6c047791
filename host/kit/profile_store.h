// The command line's profile store: the host's settings kept in a small text file, so that
// every setting written by one run of `simdist` is read by the next, exactly as a host keeps
// its profile between starts.
//
// File format (UTF-8, one value per line, blank lines and lines starting with "#" ignored):
//   int  <key path> = <decimal int>
//   text <key path> = <text>
// Key paths are the settings' full paths ("plugins\plug528\settings\method"). In keys and
// texts "%", CR, LF, "=" are written as "%25", "%0D", "%0A", "%3D"; nothing else is escaped.
// Keys are case-sensitive. Comment lines, blank lines and lines that cannot be read are kept
// where they are and written back unchanged, so a damaged or newer file never loses data.
//
// Every change is written at once as one read-modify-write under an exclusive lock (flock)
// on the profile file itself: the file is read again, the one change is made, and the new
// content replaces the file atomically (shell/atomic_file.h). So processes sharing a profile
// (several command-line runs, the desktop host) never lose each other's changes and never
// leave a spliced or half-written file. A symbolic link is followed; a profile path that
// names anything but a regular file is refused. Values read between changes come from the
// last read of the file. Not thread-safe.
#pragma once

#include <functional>
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
  // when the file exists but cannot be read or is not a regular file (a FIFO, a device).
  bool Load(std::string* error = nullptr);

  std::optional<int> GetInt(const std::string& key) const;
  std::optional<std::string> GetText(const std::string& key) const;
  // Store a value (replacing a value of either kind under that key) and save.
  bool SetInt(const std::string& key, int value);
  bool SetText(const std::string& key, const std::string& value);
  // Deletes every key under `section` (the section path followed by a backslash) and saves.
  void DeleteSection(const std::string& section);

  // The values as they stand now, in a store that keeps its changes in memory only (a
  // calculation that must leave the file as it is).
  ProfileStore InMemoryCopy() const;

  const std::string& path() const { return path_; }
  // The first save that failed in this run ("" when every save succeeded).
  const std::string& saveError() const { return saveError_; }

 private:
  struct Value {
    bool isInt = false;
    int number = 0;
    std::string text;
  };
  struct Line {
    std::string text;  // as in the file, without its line end
    std::string key;   // "" for comments, blank lines and lines that cannot be read
    Value value;
  };
  void Parse(const std::string& bytes);
  std::string Serialise() const;
  bool Put(const std::string& key, const Value& value);  // true when a line changed
  bool Erase(const std::string& section);                // true when a line went
  // Applies `edit` (false: nothing changed) to the file under its lock and writes it.
  bool Change(const std::function<bool()>& edit);

  std::string path_;
  std::vector<Line> lines_;              // the file, line by line
  std::map<std::string, Value> values_;  // the value lines by key (the last one wins)
  std::string saveError_;
};

// The default profile file: $XDG_CONFIG_HOME/plug528/profile, or ~/.config/plug528/profile;
// "" when neither variable is set.
std::string DefaultProfilePath();

}  // namespace p528::hostkit
