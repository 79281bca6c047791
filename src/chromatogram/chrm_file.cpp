#include "chromatogram/chrm_file.h"

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

pugi::xml_attribute ValueOf(pugi::xml_node parent, const char* name) {
  return parent.child(name).attribute("value");
}

std::string ReadText(pugi::xml_node parent, const char* name) { return ValueOf(parent, name).as_string(); }

// The runtime's text-to-double conversion, always with "." as decimal point. A plain
// decimal number that makes up the whole text (the form every writer of these files uses)
// goes through from_chars, which rounds it as the runtime does at a fraction of the cost; a
// file holds thousands of peak values.
double ReadDouble(pugi::xml_node parent, const char* name) {
  const pugi::xml_attribute a = ValueOf(parent, name);
  if (!a) return 0.0;
  const char* text = a.value();
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

// Decimal or "0x" hexadecimal with an optional sign, clamped to the type's range.
int ReadInt(pugi::xml_node parent, const char* name, int missing = 0) {
  return ValueOf(parent, name).as_int(missing);
}
uint32_t ReadUInt(pugi::xml_node parent, const char* name) { return ValueOf(parent, name).as_uint(0); }
// True when the value begins with one of "1", "t", "T", "y", "Y".
bool ReadBool(pugi::xml_node parent, const char* name) { return ValueOf(parent, name).as_bool(false); }

ChrmColumn ReadColumn(pugi::xml_node node) {
  ChrmColumn c;
  c.channel = ReadInt(node, "channel");
  c.name = ReadText(node, "name");
  c.brand = ReadText(node, "brand");
  c.type = ReadInt(node, "type");
  c.diameter = ReadDouble(node, "diameter");
  c.length = ReadDouble(node, "length");
  c.carrier = ReadText(node, "carrier");
  c.phase = ReadText(node, "phase");
  c.percent = ReadDouble(node, "percent");
  c.unit = ReadInt(node, "unit");
  c.fraction0 = ReadDouble(node, "fraction0");
  c.fraction1 = ReadDouble(node, "fraction1");
  c.film = ReadDouble(node, "film");
  c.part = ReadText(node, "part");
  c.serial = ReadText(node, "serial");
  return c;
}

ChrmPeak ReadPeak(pugi::xml_node item) {
  ChrmPeak p;
  p.front = ReadDouble(item, "front");
  p.back = ReadDouble(item, "back");
  p.time = ReadDouble(item, "time");
  p.area = ReadDouble(item, "area");
  p.height = ReadDouble(item, "height");
  p.concent = ReadDouble(item, "concent");
  p.name = ReadText(item, "name");
  p.reference = ReadBool(item, "reference");
  p.left = ReadInt(item, "left", -1);
  p.right = ReadInt(item, "right", -1);
  p.flags = ReadUInt(item, "flags");
  p.front_base_height = ReadDouble(item, "front_base_height");
  p.back_base_height = ReadDouble(item, "back_base_height");
  p.index = ReadDouble(item, "index");
  return p;
}

// Children of "passport" in document order; a later element of a known name overwrites an
// earlier one, an unknown name becomes a user-defined field.
void ReadPassport(pugi::xml_node node, ChrmPassport& passport) {
  passport.columns.clear();
  passport.fields.clear();
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = child.name();
    const pugi::xml_attribute value = child.attribute("value");
    if (name == "assayid")
      passport.assayid = value.as_string();
    else if (name == "series")
      passport.series = value.as_string();
    else if (name == "sample")
      passport.sample = value.as_string();
    else if (name == "method")
      passport.method = value.as_string();
    else if (name == "mixture")
      passport.mixture = value.as_string();
    else if (name == "andate")
      passport.andate = value.as_llong(0);
    else if (name == "date")
      passport.date = value.as_llong(0);
    else if (name == "duration")
      passport.duration = value ? strtod_l(value.value(), nullptr, CLocale()) : 0.0;
    else if (name == "graduation")
      passport.graduation = value.as_bool(false);
    else if (name == "defect")
      passport.defect = value.as_bool(false);
    else if (name == "column")
      passport.columns.push_back(ReadColumn(child));
    else
      passport.fields.push_back({std::string(name), child.attribute("title").as_string(), value.as_string()});
  }
}

// Peak tables go to the binary channel of the same number; an element without a usable
// number, or naming a channel the file does not carry, is skipped.
void ReadPeakTables(pugi::xml_node node, std::vector<ChrmChannel>& channels) {
  for (pugi::xml_node element : node.children("channel")) {
    const int number = ReadInt(element, "number", -1);
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
      target->peaks.push_back(ReadPeak(item));
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

void AddValue(pugi::xml_node parent, const char* name, std::string_view text) {
  parent.append_child(name).append_attribute("value").set_value(text.data(), text.size());
}
void AddDouble(pugi::xml_node parent, const char* name, double v) {
  AddValue(parent, name, Format("%.17g", v));
}
void AddInt(pugi::xml_node parent, const char* name, int64_t v) {
  AddValue(parent, name, Format("%lld", static_cast<long long>(v)));
}
void AddUInt(pugi::xml_node parent, const char* name, uint32_t v) { AddValue(parent, name, Format("%u", v)); }
void AddBool(pugi::xml_node parent, const char* name, bool v) {
  AddValue(parent, name, v ? "true" : "false");
}

void BuildColumn(pugi::xml_node node, const ChrmColumn& c) {
  AddInt(node, "channel", c.channel);
  AddValue(node, "name", c.name);
  AddValue(node, "brand", c.brand);
  AddInt(node, "type", c.type);
  AddDouble(node, "diameter", c.diameter);
  AddDouble(node, "length", c.length);
  AddValue(node, "carrier", c.carrier);
  AddValue(node, "phase", c.phase);
  AddDouble(node, "percent", c.percent);
  AddInt(node, "unit", c.unit);
  AddDouble(node, "fraction0", c.fraction0);
  AddDouble(node, "fraction1", c.fraction1);
  AddDouble(node, "film", c.film);
  AddValue(node, "part", c.part);
  AddValue(node, "serial", c.serial);
}

void BuildPeak(pugi::xml_node item, const ChrmPeak& p) {
  AddDouble(item, "front", p.front);
  AddDouble(item, "back", p.back);
  AddDouble(item, "time", p.time);
  AddDouble(item, "area", p.area);
  AddDouble(item, "height", p.height);
  AddDouble(item, "concent", p.concent);
  AddValue(item, "name", p.name);
  AddBool(item, "reference", p.reference);
  AddInt(item, "left", p.left);
  AddInt(item, "right", p.right);
  AddUInt(item, "flags", p.flags);
  AddDouble(item, "front_base_height", p.front_base_height);
  AddDouble(item, "back_base_height", p.back_base_height);
  AddDouble(item, "index", p.index);
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
  AddValue(passport, "assayid", ps.assayid);
  AddValue(passport, "series", ps.series);
  AddInt(passport, "andate", ps.andate);
  AddDouble(passport, "duration", ps.duration);
  AddValue(passport, "sample", ps.sample);
  AddValue(passport, "method", ps.method);
  AddBool(passport, "graduation", ps.graduation);
  AddInt(passport, "date", ps.date);
  AddBool(passport, "defect", ps.defect);
  AddValue(passport, "mixture", ps.mixture);
  for (const ChrmColumn& column : ps.columns) BuildColumn(passport.append_child("column"), column);
  for (const PassportField& field : ps.fields) {
    pugi::xml_node node = passport.append_child(field.name.c_str());
    node.append_attribute("title").set_value(field.title.data(), field.title.size());
    node.append_attribute("value").set_value(field.value.data(), field.value.size());
  }

  pugi::xml_node channels = root.append_child("channels");
  for (const ChrmChannel& channel : file.channels) {
    pugi::xml_node node = channels.append_child("channel");
    AddInt(node, "number", channel.number);
    pugi::xml_node table = node.append_child("table");
    for (const ChrmPeak& peak : channel.peaks) BuildPeak(table.append_child("item"), peak);
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
