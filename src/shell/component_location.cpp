#include "shell/component_location.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace p528 {

namespace fs = std::filesystem;

std::string UserComponentDataPath() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
    return std::string(data) + "/plug528/tqle528data.csv";
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
    return std::string(home) + "/.local/share/plug528/tqle528data.csv";
  return {};
}

bool CanReplaceFile(const std::string& path) {
  const fs::path file(path);
  const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
  return ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;
}

namespace {

// Copies `from` to `to` through a temporary file and a link, so a half-written copy is
// never seen and an existing copy (another process seeded it first) is never replaced.
bool Seed(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::error_code ec;
  fs::create_directories(fs::path(to).parent_path(), ec);
  std::string temporary = to + ".seed-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  const bool written =
      ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  const bool linked = written && closed && (::link(temporary.c_str(), to.c_str()) == 0 || errno == EEXIST);
  ::unlink(temporary.c_str());
  return linked;
}

}  // namespace

bool IsInstalledPluginFolder(const std::string& moduleFolder) {
  const fs::path folder = fs::path(moduleFolder).lexically_normal();
  const fs::path last = folder.filename().empty() ? folder.parent_path() : folder;
  return last.filename() == "plug528" && last.parent_path().filename() == "lib";
}

std::string ComponentTableLocation(const std::string& moduleFolder, bool seed,
                                   const std::function<bool(const std::string&)>& canReplace) {
  const std::string beside = (fs::path(moduleFolder) / "tqle528data.csv").string();
  if (!IsInstalledPluginFolder(moduleFolder) && canReplace(beside)) return beside;
  const std::string user = UserComponentDataPath();
  if (user.empty()) return beside;
  std::error_code ec;
  if (fs::exists(user, ec)) return user;
  if (seed && Seed(beside, user)) return user;
  return beside;
}

}  // namespace p528
