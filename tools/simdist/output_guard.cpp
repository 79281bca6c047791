#include "output_guard.h"

#include "shell/regular_file.h"

#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace p528::simdist {

namespace {

constexpr char kChromatogramMagic[] = "STG";

std::string FullPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  const bool firstExists = ::stat(a.c_str(), &first) == 0;
  const bool secondExists = ::stat(b.c_str(), &second) == 0;
  if (firstExists && secondExists) return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  return FullPath(a) == FullPath(b);
}

bool IsChromatogram(const std::string& path) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) return false;
  char head[3] = {};
  const bool magic = ::read(fd, head, sizeof head) == static_cast<ssize_t>(sizeof head) &&
                     std::memcmp(head, kChromatogramMagic, sizeof head) == 0;
  ::close(fd);
  return magic;
}

}  // namespace

bool CheckOutputs(const std::vector<NamedPath>& outputs, const std::vector<NamedPath>& inputs,
                  std::string& error) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const NamedPath& out = outputs[i];
    struct stat info {};
    if (::stat(out.path.c_str(), &info) == 0) {
      if (!S_ISREG(info.st_mode)) {
        error = out.what + " " + out.path + ": " + FileKindText(info.st_mode) +
                "; only a regular file is written";
        return false;
      }
      if (IsChromatogram(out.path)) {
        error = out.what + " " + out.path +
                " is a chromatogram; simdist reads chromatograms and never writes them";
        return false;
      }
    }
    for (const NamedPath& in : inputs) {
      if (!in.path.empty() && SameFile(out.path, in.path)) {
        error = out.what + " " + out.path + " is " + in.what + " " + in.path +
                "; an output never replaces an input";
        return false;
      }
    }
    for (std::size_t k = 0; k < i; ++k) {
      if (SameFile(out.path, outputs[k].path)) {
        error = out.what + " and " + outputs[k].what + " name the same file " + out.path;
        return false;
      }
    }
  }
  return true;
}

}  // namespace p528::simdist
