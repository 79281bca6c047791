#include "shell/regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace p528 {

std::string FileKindText(mode_t mode) {
  if (S_ISDIR(mode)) return "is a directory";
  if (S_ISFIFO(mode)) return "is a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
  if (S_ISSOCK(mode)) return "is a socket";
  return "is not a regular file";
}

int OpenRegularFile(const std::string& path, std::string* reason) {
  struct stat info {};
  // Judged before opening, so that a FIFO or a device is never opened at all.
  if (::stat(path.c_str(), &info) != 0) {
    if (reason) *reason = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    if (reason) *reason = FileKindText(info.st_mode);
    return -1;
  }
  // O_NONBLOCK: should the path be swapped for a FIFO in between, opening does not wait;
  // the file opened is judged again.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (reason) *reason = std::strerror(errno);
    return -1;
  }
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (reason) *reason = FileKindText(info.st_mode);
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool ReadRegularFile(const std::string& path, std::string& bytes, std::string* reason) {
  bytes.clear();
  const int fd = OpenRegularFile(path, reason);
  if (fd < 0) return false;
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (reason) *reason = std::strerror(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

std::string RegularFileProblem(const std::string& path) {
  std::string reason;
  const int fd = OpenRegularFile(path, &reason);
  if (fd < 0) return reason;
  ::close(fd);
  return {};
}

}  // namespace p528
