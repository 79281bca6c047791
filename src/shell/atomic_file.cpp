#include "shell/atomic_file.h"

#include "shell/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace p528 {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit on a chain of links

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Creates a temporary file with a name no other writer uses, beside `target`; the kernel
// applies the umask to its 0666. Returns the descriptor, -1 with errno set.
int CreateTemporary(const std::filesystem::path& target, std::string& name) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path folder = target.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    name = (folder / ("." + target.filename().string() + "." + suffix + ".tmp")).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  std::filesystem::path current(path);
  for (int step = 0; step < kMaxLinks; ++step) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current.string();
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
    if (ec) return path;
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return path;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const std::filesystem::path target(ResolveLinks(path));
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    error = FileKindText(existing.st_mode);
    return false;
  }

  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  bool done = WriteAll(fd, bytes);
  if (done && exists) done = ::fchmod(fd, existing.st_mode & 07777) == 0;
  if (done) done = ::fsync(fd) == 0;
  int cause = errno;
  if (::close(fd) != 0 && done) {
    done = false;
    cause = errno;
  }
  if (done && ::rename(temporary.c_str(), target.c_str()) != 0) {
    done = false;
    cause = errno;
  }
  if (!done) {
    ::unlink(temporary.c_str());
    error = std::strerror(cause);
    return false;
  }
  SyncFolder(target.parent_path());
  return true;
}

}  // namespace p528
