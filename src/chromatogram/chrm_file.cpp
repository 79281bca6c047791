#include "chromatogram/chrm_file.h"

#include "chromatogram/chrm_fields.h"

#include "shell/regular_file.h"
#include "shell/text.h"

#include <pugixml.hpp>

#include <locale.h>
#include <unistd.h>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace p528 {

static_assert(std::endian::native == std::endian::little,
              "the container is little-endian and is copied as whole arrays");

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kBlockHeaderSize = 32;

// What went wrong while reading; each loader maps it to its own status code.
enum class ReadFailure {
  kNone,
  kHeaderShort,
  kBadMagic,
  kBadVersion,
  kBlockShort,
  kSamplesShort,
  kXmlOffset,
  kXmlParse
};

int FileStatus(ReadFailure failure) {
  switch (failure) {
    case ReadFailure::kNone: return ChrmFileRead;
    case ReadFailure::kHeaderShort: return ChrmFileHeaderShort;
    case ReadFailure::kBadMagic: return ChrmFileBadMagic;
    case ReadFailure::kBadVersion: return ChrmFileBadVersion;
    case ReadFailure::kBlockShort: return ChrmFileBlockShort;
    case ReadFailure::kSamplesShort: return ChrmFileSamplesShort;
    case ReadFailure::kXmlOffset:
    case ReadFailure::kXmlParse: return ChrmFileBadXml;
  }
  return ChrmFileBadXml;
}

int MemoryStatus(ReadFailure failure) {
  switch (failure) {
    case ReadFailure::kNone: return ChrmMemoryRead;
    case ReadFailure::kBadMagic: return ChrmMemoryBadMagic;
    case ReadFailure::kBadVersion: return ChrmMemoryBadVersion;
    default: return ChrmMemoryDamaged;
  }
}

locale_t CLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

uint64_t ReadU64(const unsigned char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

double ReadF64(const unsigned char* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// ---- XML values ----------------------------------------------------------------------

// The runtime's text-to-double conversion, always with "." as decimal point. A plain
// decimal number that makes up the whole text (the form every writer of these files uses)
// goes through from_chars, which rounds it as the runtime does at a fraction of the cost; a
// file holds thousands of peak values.
double ParseDouble(const char* text) {
  const std::size_t length = std::strlen(text);
  const bool plain = length > 0 && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-') &&
                     std::strspn(text, "0123456789.-+eE") == length;
  if (plain) {
    double value = 0;
    const std::from_chars_result read = std::from_chars(text, text + length, value);
    if (read.ec == std::errc() && read.ptr == text + length) return value;
  }
  return strtod_l(text, nullptr, CLocale());
}

// One stored member from the "value" attribute of its element. Without the attribute a
// number or a flag takes the struct's default (`missing`) and a text is empty. Whole numbers
// are decimal or "0x" hexadecimal with an optional sign, clamped to the type's range; a flag
// is true when its value begins with one of "1", "t", "T", "y", "Y".
void ReadValue(pugi::xml_attribute a, std::string& value, const std::string&) { value = a.as_string(); }
void ReadValue(pugi::xml_attribute a, int& value, int missing) { value = a.as_int(missing); }
void ReadValue(pugi::xml_attribute a, int64_t& value, int64_t missing) { value = a.as_llong(missing); }
void ReadValue(pugi::xml_attribute a, uint32_t& value, uint32_t missing) { value = a.as_uint(missing); }
void ReadValue(pugi::xml_attribute a, bool& value, bool missing) { value = a.as_bool(missing); }
void ReadValue(pugi::xml_attribute a, double& value, double missing) {
  value = a ? ParseDouble(a.value()) : missing;
}

template <class Struct>
const Struct& Defaults() {
  static const Struct defaults{};
  return defaults;
}

// Every listed member of `out` from the first child element of its name.
template <class Struct>
Struct ReadFields(pugi::xml_node node) {
  Struct out;
  ForEachChrmField<Struct>([&](const auto& field) {
    ReadValue(node.child(field.name).attribute("value"), out.*field.member, Defaults<Struct>().*field.member);
  });
  return out;
}

// The listed member named `name`, read from `element`; false when no member has that name.
template <class Struct>
bool ReadNamedField(std::string_view name, pugi::xml_node element, Struct& out) {
  bool known = false;
  ForEachChrmField<Struct>([&](const auto& field) {
    if (known || name != field.name) return;
    ReadValue(element.attribute("value"), out.*field.member, Defaults<Struct>().*field.member);
    known = true;
  });
  return known;
}

// Children of "passport" in document order; a later element of a known name overwrites an
// earlier one, an unknown name becomes a user-defined field.
void ReadPassport(pugi::xml_node node, ChrmPassport& passport) {
  passport.columns.clear();
  passport.fields.clear();
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = child.name();
    if (ReadNamedField(name, child, passport)) continue;
    if (name == "column")
      passport.columns.push_back(ReadFields<ChrmColumn>(child));
    else
      passport.fields.push_back(
          {std::string(name), child.attribute("title").as_string(), child.attribute("value").as_string()});
  }
}

// Peak tables go to the binary channel of the same number; an element without a usable
// number, or naming a channel the file does not carry, is skipped.
void ReadPeakTables(pugi::xml_node node, std::vector<ChrmChannel>& channels) {
  for (pugi::xml_node element : node.children("channel")) {
    const int number = element.child("number").attribute("value").as_int(-1);
    if (number < 0) continue;
    ChrmChannel* target = nullptr;
    for (ChrmChannel& channel : channels) {
      if (channel.number == number) {
        target = &channel;
        break;
      }
    }
    if (target == nullptr) continue;
    target->peaks.clear();
    for (pugi::xml_node item : element.child("table").children("item"))
      target->peaks.push_back(ReadFields<ChrmPeak>(item));
  }
}

// Reads a whole file image. Every length is checked against the bytes that remain before it
// is used, so neither a hostile count nor a hostile offset reads or allocates past the data.
// True when the XML declaration at the start of `xml` names the Windows-1251 code page.
bool DeclaresWindows1251(std::string_view xml) {
  if (xml.starts_with("\xEF\xBB\xBF")) xml.remove_prefix(3);
  if (!xml.starts_with("<?xml")) return false;
  const std::string_view declaration = xml.substr(0, xml.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return false;
  const std::size_t open = declaration.find_first_of("\"'", key);
  if (open == std::string_view::npos) return false;
  const std::size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return false;
  const std::string_view name = declaration.substr(open + 1, close - open - 1);
  return EqualsNoCase(name, "windows-1251") || EqualsNoCase(name, "cp1251");
}

ReadFailure ReadImage(const unsigned char* data, size_t size, CVantiroFile4& file) {
  if (size < kHeaderSize) return ReadFailure::kHeaderShort;
  if (std::memcmp(data, "STG", 3) != 0) return ReadFailure::kBadMagic;
  if (data[3] > 1) return ReadFailure::kBadVersion;
  file.version = data[3];
  const uint64_t xmlOffset = ReadU64(data + 8);

  file.channels.clear();
  size_t pos = kHeaderSize;
  while (pos < xmlOffset) {
    if (size - pos < kBlockHeaderSize) return ReadFailure::kBlockShort;
    const unsigned char* block = data + pos;
    const uint64_t count = ReadU64(block + 24);
    pos += kBlockHeaderSize;
    if ((count >> 32) != 0 || count > (size - pos) / sizeof(float)) return ReadFailure::kSamplesShort;
    ChrmChannel channel;
    channel.number = block[0];
    channel.startTime = ReadF64(block + 8);
    channel.step = ReadF64(block + 16);
    if (count > 0) {
      channel.samples.resize(static_cast<size_t>(count));
      std::memcpy(channel.samples.data(), data + pos, static_cast<size_t>(count) * sizeof(float));
    }
    pos += static_cast<size_t>(count) * sizeof(float);
    file.channels.push_back(std::move(channel));
  }
  // The XML part starts exactly where the last block ends; an offset inside the header or
  // inside a block describes a damaged file.
  if (pos != xmlOffset) return ReadFailure::kXmlOffset;

  pugi::xml_document doc;
  const std::string_view xml(reinterpret_cast<const char*>(data + pos), size - pos);
  pugi::xml_parse_result parsed;
  if (DeclaresWindows1251(xml)) {
    // A host on Windows writes its passports in its code page; the parser knows no such
    // encoding, so the text is decoded to UTF-8 first.
    const std::string utf8 = DecodeCp1251(xml);
    parsed = doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
  } else {
    parsed = doc.load_buffer(data + pos, size - pos, pugi::parse_default, pugi::encoding_auto);
  }
  if (!parsed) return ReadFailure::kXmlParse;
  const pugi::xml_node root = doc.child("root");
  ReadPassport(root.child("passport"), file.passport);
  ReadPeakTables(root.child("channels"), file.channels);
  return ReadFailure::kNone;
}

// ---- writing -------------------------------------------------------------------------

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// One stored member as the "value" attribute of its element: whole numbers in decimal,
// doubles with 17 significant digits (they read back bit for bit), flags as "true"/"false".
void WriteValue(pugi::xml_node parent, const char* name, std::string_view text) {
  parent.append_child(name).append_attribute("value").set_value(text.data(), text.size());
}
void WriteValue(pugi::xml_node parent, const char* name, const std::string& v) {
  WriteValue(parent, name, std::string_view(v));
}
void WriteValue(pugi::xml_node parent, const char* name, int64_t v) {
  WriteValue(parent, name, Format("%lld", static_cast<long long>(v)));
}
void WriteValue(pugi::xml_node parent, const char* name, int v) { WriteValue(parent, name, int64_t{v}); }
void WriteValue(pugi::xml_node parent, const char* name, uint32_t v) {
  WriteValue(parent, name, Format("%u", v));
}
void WriteValue(pugi::xml_node parent, const char* name, bool v) {
  WriteValue(parent, name, std::string_view(v ? "true" : "false"));
}
void WriteValue(pugi::xml_node parent, const char* name, double v) {
  WriteValue(parent, name, Format("%.17g", v));
}

template <class Struct>
void WriteFields(pugi::xml_node node, const Struct& in) {
  ForEachChrmField<Struct>([&](const auto& field) { WriteValue(node, field.name, in.*field.member); });
}

void BuildDocument(const CVantiroFile4& file, pugi::xml_document& doc) {
  pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "utf-8";
  pugi::xml_node root = doc.append_child("root");
  root.append_attribute("version") = 1;

  const ChrmPassport& ps = file.passport;
  pugi::xml_node passport = root.append_child("passport");
  passport.append_attribute("version") = 1;
  WriteFields(passport, ps);
  for (const ChrmColumn& column : ps.columns) WriteFields(passport.append_child("column"), column);
  for (const PassportField& field : ps.fields) {
    pugi::xml_node node = passport.append_child(field.name.c_str());
    node.append_attribute("title").set_value(field.title.data(), field.title.size());
    node.append_attribute("value").set_value(field.value.data(), field.value.size());
  }

  pugi::xml_node channels = root.append_child("channels");
  for (const ChrmChannel& channel : file.channels) {
    pugi::xml_node node = channels.append_child("channel");
    WriteValue(node, "number", channel.number);
    pugi::xml_node table = node.append_child("table");
    for (const ChrmPeak& peak : channel.peaks) WriteFields(table.append_child("item"), peak);
  }
}

void WriteU64(unsigned char* p, uint64_t v) { std::memcpy(p, &v, sizeof v); }
void WriteF64(unsigned char* p, double v) { std::memcpy(p, &v, sizeof v); }

}  // namespace

// ---- channel ---------------------------------------------------------------------------

ChrmChannel::ChrmChannel(const ChrmChannel& other)
    : number(other.number), startTime(other.startTime), step(other.step), peaks(other.peaks) {
  std::lock_guard<std::mutex> guard(*other.lock);
  samples = other.samples;
}

ChrmChannel& ChrmChannel::operator=(const ChrmChannel& other) {
  if (this == &other) return *this;
  ChrmChannel copy(other);
  number = copy.number;
  samples = std::move(copy.samples);
  startTime = copy.startTime;
  step = copy.step;
  peaks = std::move(copy.peaks);
  return *this;
}

// ---- file --------------------------------------------------------------------------------

int CVantiroFile4::LoadFromMemory(const void* bytes, uint64_t count) {
  if (bytes == nullptr) count = 0;
  const auto* data = static_cast<const unsigned char*>(bytes);
  return MemoryStatus(ReadImage(data, static_cast<size_t>(count), *this));
}

int CVantiroFile4::LoadFromFile(const std::string& path) {
  // Only a regular file is opened: a FIFO, a device or a folder is "cannot open" at once.
  const int fd = OpenRegularFile(path);
  if (fd < 0) return ChrmFileCannotOpen;
  std::unique_ptr<FILE, FileCloser> f(::fdopen(fd, "rb"));
  if (!f) {
    ::close(fd);
    return ChrmFileCannotOpen;
  }
  // The header is judged before anything else is read, so a path that names a device or
  // any other endless stream ends at its first bytes instead of being read without end.
  unsigned char header[kHeaderSize];
  const size_t headerBytes = std::fread(header, 1, sizeof header, f.get());
  if (std::ferror(f.get())) return ChrmFileCannotOpen;  // for example a folder: it opens but cannot be read
  if (headerBytes < kHeaderSize) return ChrmFileHeaderShort;
  if (std::memcmp(header, "STG", 3) != 0) return ChrmFileBadMagic;
  if (header[3] > 1) return ChrmFileBadVersion;
  // The rest of the file is read whole; its bytes are then checked like any buffer.
  std::vector<unsigned char> image(header, header + kHeaderSize);
  unsigned char chunk[1 << 16];
  for (;;) {
    const size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    image.insert(image.end(), chunk, chunk + n);
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f.get())) return ChrmFileCannotOpen;  // for example a folder: it opens but cannot be read
  f.reset();
  const int status = FileStatus(ReadImage(image.data(), image.size(), *this));
  if (status == ChrmFileRead) passport.path = path;
  return status;
}

int CVantiroFile4::SaveToFile(const std::string& path) {
  std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
  if (!f) return ChrmSaveCannotOpen;

  uint64_t xmlOffset = kHeaderSize;
  for (const ChrmChannel& channel : channels)
    xmlOffset += kBlockHeaderSize + 4 * uint64_t{channel.samples.size()};
  unsigned char header[kHeaderSize] = {'S', 'T', 'G', version};
  WriteU64(header + 8, xmlOffset);
  if (std::fwrite(header, 1, sizeof header, f.get()) != sizeof header) return ChrmSaveHeaderNotWritten;

  for (const ChrmChannel& channel : channels) {
    std::vector<float> samples;
    {
      std::lock_guard<std::mutex> guard(*channel.lock);
      samples = channel.samples;
    }
    unsigned char block[kBlockHeaderSize] = {static_cast<unsigned char>(channel.number & 0xFF)};
    WriteF64(block + 8, channel.startTime);
    WriteF64(block + 16, channel.step);
    WriteU64(block + 24, samples.size());
    if (std::fwrite(block, 1, sizeof block, f.get()) != sizeof block) return ChrmSaveBlockNotWritten;
    if (!samples.empty() &&
        std::fwrite(samples.data(), sizeof(float), samples.size(), f.get()) != samples.size()) {
      return ChrmSaveSamplesNotWritten;
    }
  }

  passport.path = path;
  pugi::xml_document doc;
  BuildDocument(*this, doc);
  pugi::xml_writer_file writer(f.get());
  doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
  // A full disk may show only when the buffered data is flushed.
  const bool failed = std::fflush(f.get()) != 0 || std::ferror(f.get()) != 0;
  const bool closeFailed = std::fclose(f.release()) != 0;
  return failed || closeFailed ? ChrmSaveStreamError : ChrmSaved;
}

}  // namespace p528
