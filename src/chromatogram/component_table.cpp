#include "chromatogram/component_table.h"

#include "shell/atomic_file.h"
#include "shell/regular_file.h"
#include "shell/text.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>

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

// How a component file is written: the host's Windows-1251, or UTF-8 (with or without the
// byte-order mark) when someone saved it so with an editor.
enum class TableEncoding { Cp1251, Utf8, Utf8WithBom };

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// True when `bytes` are well-formed UTF-8 with at least one non-ASCII character. A
// Windows-1251 text with Cyrillic letters practically never is.
bool LooksUtf8(std::string_view bytes) {
  bool wide = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    wide = wide || length > 1;
    i += length;
  }
  return wide;
}

TableEncoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TableEncoding::Utf8WithBom;
  return LooksUtf8(bytes) ? TableEncoding::Utf8 : TableEncoding::Cp1251;
}

std::string Decode(std::string_view field, TableEncoding encoding) {
  return encoding == TableEncoding::Cp1251 ? DecodeCp1251(field) : std::string(field);
}

ComponentRecord ParseLine(std::string_view line, TableEncoding encoding) {
  std::string_view fields[kFieldCount];
  size_t count = 0;
  size_t start = 0;
  while (count < kFieldCount) {
    const size_t end = line.find(';', start);
    fields[count++] =
        line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  ComponentRecord r;
  r.id = ToId(Decode(fields[0], encoding));
  r.name = ToCyrillicC(Decode(fields[1], encoding));
  r.altName = ToCyrillicC(Decode(fields[2], encoding));
  r.nameLatin = ToLatinC(Decode(fields[3], encoding));
  r.altNameLatin = ToLatinC(Decode(fields[4], encoding));
  r.boilingPoint = DecimalPrefix(fields[5]);
  r.responseFactor = DecimalPrefix(fields[6]);
  r.mixtureMass = DecimalPrefix(fields[7]);
  return r;
}

void AppendEncoded(std::string& line, const std::string& text, const ComponentRecord& r,
                   TableEncoding encoding) {
  if (encoding != TableEncoding::Cp1251) {
    line += text;
    return;
  }
  std::string bytes;
  if (!EncodeCp1251(text, bytes)) {
    throw ComponentTableSaveError(
        Format("component %i: \"%s\" has a character that Windows-1251 cannot hold", r.id, text.c_str()));
  }
  line += bytes;
}

std::string FileContent(const ComponentTable& table, TableEncoding encoding) {
  std::string content(encoding == TableEncoding::Utf8WithBom ? kUtf8Bom : std::string_view());
  for (const ComponentRecord& r : table) {
    std::string line = Format("%i", r.id);
    for (const std::string* text : {&r.name, &r.altName, &r.nameLatin, &r.altNameLatin}) {
      line += ';';
      AppendEncoded(line, *text, r, encoding);
    }
    line += Format(";%.1f;%.3f;%.3f\r\n", r.boilingPoint, r.responseFactor, r.mixtureMass);
    content += line;
  }
  return content;
}

std::string ErrorText(const std::string& what, const std::string& path, int error) {
  return what + " \"" + path + "\": " + std::strerror(error);
}

}  // namespace

std::string ComponentDataPath(const std::string& moduleFolder) {
  return (std::filesystem::path(moduleFolder) / "tqle528data.csv").string();
}

void LoadComponentTable(const std::string& path, ComponentTable& table) {
  table.clear();
  std::string bytes;
  if (!ReadRegularFile(path, bytes)) return;
  const TableEncoding encoding = EncodingOf(bytes);
  std::string_view text(bytes);
  if (encoding == TableEncoding::Utf8WithBom) text.remove_prefix(kUtf8Bom.size());
  // Lines end with CR LF, LF or a lone CR. The last line needs no end.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    size_t next = end + 1;
    if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    table.push_back(ParseLine(text.substr(start, end - start), encoding));
    start = next;
  }
}

void SaveComponentTable(const std::string& path, const ComponentTable& table) {
  // The table is written only over a file that exists and may be written; a missing file is
  // not created. A link is followed so that the new content replaces the file it names.
  const std::string target = ResolveLinks(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    throw ComponentTableSaveError(ErrorText("cannot open the component table", path, errno));
  }
  if (!S_ISREG(info.st_mode)) {
    throw ComponentTableSaveError("cannot open the component table \"" + path +
                                  "\": " + FileKindText(info.st_mode));
  }
  if (::access(target.c_str(), W_OK) != 0) {
    throw ComponentTableSaveError(ErrorText("cannot open the component table", path, errno));
  }

  // The file keeps the encoding it has.
  std::string previous;
  std::string reason;
  if (!ReadRegularFile(target, previous, &reason)) {
    throw ComponentTableSaveError("cannot read the component table \"" + path + "\": " + reason);
  }
  const std::string content = FileContent(table, EncodingOf(previous));
  std::string error;
  if (!WriteFileAtomically(target, content, error)) {
    throw ComponentTableSaveError("cannot write the component table \"" + path + "\": " + error);
  }
}

}  // namespace p528
