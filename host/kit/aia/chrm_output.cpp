#include "host/kit/aia/chrm_output.h"

#include "shell/text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace p528::aia {

namespace fs = std::filesystem;

namespace {

// Moves `from` to `to` unless `to` exists; errno is set on failure.
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without the flag: a hard link fails as well when the target exists.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

bool SyncFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}

}  // namespace

std::string ImportedPath(const std::string& aiaPath, const std::string& folder) {
  const fs::path source(aiaPath);
  fs::path name = source.filename();
  name.replace_extension(".chrm");
  const fs::path dir = folder.empty() ? source.parent_path() : fs::path(folder);
  return (dir / name).string();
}

std::string WriteChrmFile(ChrmFile& file, const std::string& target, bool force, const std::string& source) {
  std::error_code ec;
  if (!source.empty() && fs::exists(target, ec) && fs::equivalent(source, target, ec))
    return target + " is the file being imported";
  if (!force && fs::exists(fs::symlink_status(target, ec))) return target + " exists";
  const fs::path dir = fs::path(target).parent_path();
  if (!dir.empty() && !fs::is_directory(dir, ec)) return "no folder " + dir.string();

  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0)
    return "cannot write in " + (dir.empty() ? std::string(".") : dir.string()) + ": " + std::strerror(errno);
  // mkstemp creates the file for its owner only; a chromatogram is readable by all.
  fchmod(fd, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
  close(fd);
  const int status = file.SaveToFile(temporary);
  if (status != 0 || !SyncFile(temporary)) {
    unlink(temporary.c_str());
    return Format("cannot write %s (status %d)", target.c_str(), status);
  }
  const bool moved =
      force ? std::rename(temporary.c_str(), target.c_str()) == 0 : RenameNoReplace(temporary, target);
  if (!moved) {
    const int error = errno;
    unlink(temporary.c_str());
    if (error == EEXIST) return target + " exists";
    return "cannot write " + target + ": " + std::strerror(error);
  }
  file.passport.path = target;
  return {};
}

}  // namespace p528::aia
