#include "chromatogram/component_table.h"

#include "shell/text.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace p528 {

namespace {

constexpr size_t kFieldCount = 8;

// The first field read by the decimal-prefix rule and truncated toward zero; numbers beyond
// the int range stop at its ends instead of overflowing.
int ToId(std::string_view field) {
  const double v = DecimalPrefix(field);
  if (!(v > static_cast<double>(INT_MIN))) return INT_MIN;
  if (!(v < static_cast<double>(INT_MAX))) return INT_MAX;
  return static_cast<int>(v);
}

ComponentRecord ParseLine(std::string_view line) {
  std::string_view fields[kFieldCount];
  size_t count = 0;
  size_t start = 0;
  while (count < kFieldCount) {
    const size_t end = line.find(';', start);
    fields[count++] = line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  ComponentRecord r;
  r.id = ToId(DecodeCp1251(fields[0]));
  r.name = ToCyrillicC(DecodeCp1251(fields[1]));
  r.altName = ToCyrillicC(DecodeCp1251(fields[2]));
  r.nameLatin = ToLatinC(DecodeCp1251(fields[3]));
  r.altNameLatin = ToLatinC(DecodeCp1251(fields[4]));
  r.boilingPoint = DecimalPrefix(fields[5]);
  r.responseFactor = DecimalPrefix(fields[6]);
  r.mixtureMass = DecimalPrefix(fields[7]);
  return r;
}

void AppendEncoded(std::string& line, const std::string& text, const ComponentRecord& r) {
  std::string bytes;
  if (!EncodeCp1251(text, bytes)) {
    throw ComponentTableSaveError(Format("component %i: \"%s\" has a character that Windows-1251 cannot hold",
                                         r.id, text.c_str()));
  }
  line += bytes;
}

std::string FileContent(const ComponentTable& table) {
  std::string content;
  for (const ComponentRecord& r : table) {
    std::string line = Format("%i", r.id);
    for (const std::string* text : {&r.name, &r.altName, &r.nameLatin, &r.altNameLatin}) {
      line += ';';
      AppendEncoded(line, *text, r);
    }
    line += Format(";%.1f;%.3f;%.3f\r\n", r.boilingPoint, r.responseFactor, r.mixtureMass);
    content += line;
  }
  return content;
}

std::string ErrorText(const std::string& what, const std::string& path, int error) {
  return what + " \"" + path + "\": " + std::strerror(error);
}

// Writes all of `bytes` to `fd`; false with errno set on failure.
bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string ComponentDataPath(const std::string& moduleFolder) {
  return (std::filesystem::path(moduleFolder) / "tqle528data.csv").string();
}

void LoadComponentTable(const std::string& path, ComponentTable& table) {
  table.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Lines end with LF; a CR before it belongs to the line end. The last line needs no end.
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    table.push_back(ParseLine(line));
    start = next;
  }
}

void SaveComponentTable(const std::string& path, const ComponentTable& table) {
  // The table is written only over a file that exists and may be written; a missing file is
  // not created. A link is followed so that the new content replaces the file it names.
  std::string target = path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  const int existing = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (existing < 0) throw ComponentTableSaveError(ErrorText("cannot open the component table", path, errno));
  struct stat info {};
  const bool statOk = ::fstat(existing, &info) == 0;
  ::close(existing);
  if (!statOk || !S_ISREG(info.st_mode)) {
    throw ComponentTableSaveError(ErrorText("cannot open the component table", path, statOk ? EISDIR : errno));
  }

  const std::string content = FileContent(table);

  // The new content goes to a temporary file beside the old one and replaces it in one
  // rename, so a crash or a full disk midway leaves the old table whole.
  std::string temp = target + ".tmp-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) throw ComponentTableSaveError(ErrorText("cannot create a temporary file beside", path, errno));
  const bool written = WriteAll(fd, content) && ::fchmod(fd, info.st_mode & 07777) == 0 && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    const int error = !written ? writeError : errno;
    ::unlink(temp.c_str());
    throw ComponentTableSaveError(ErrorText("cannot write the component table", path, error));
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw ComponentTableSaveError(ErrorText("cannot replace the component table", path, error));
  }
  // Make the rename itself durable; a failure here no longer endangers the table.
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace p528
