// Chromatogram file: exact round trip, the written layout, the reading rules of the XML
// values, and the answer to truncated or hostile files.
#include "chromatogram/chrm_file.h"

#include "chromatogram/chrm_fields.h"

#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include <sys/stat.h>

namespace p528 {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::WriteBytes;

// A fresh folder per test, removed afterwards.
using TempDir = test::TempFolder;

template <typename T>
void Put(std::string& out, T value) {
  char raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  out.append(raw, sizeof(T));
}

// A container image: header with the given offset (or the right one when `xmlOffset` is
// omitted), one block per sample vector, then `xml`.
struct Block {
  uint8_t number;
  std::vector<float> samples;
  uint64_t count;  // as written in the block header
};

std::string Image(const std::vector<Block>& blocks, const std::string& xml, int64_t xmlOffset = -1,
                  uint8_t version = 1) {
  uint64_t offset = 16;
  for (const Block& b : blocks) offset += 32 + 4 * b.samples.size();
  std::string out = "STG";
  out.push_back(static_cast<char>(version));
  Put<uint32_t>(out, 0);
  Put<uint64_t>(out, xmlOffset < 0 ? offset : static_cast<uint64_t>(xmlOffset));
  for (const Block& b : blocks) {
    out.push_back(static_cast<char>(b.number));
    out.append(7, '\0');
    Put<double>(out, 0.5);
    Put<double>(out, 0.25);
    Put<uint64_t>(out, b.count);
    for (float s : b.samples) Put<float>(out, s);
  }
  return out + xml;
}

Block Samples(uint8_t number, size_t n) {
  Block b{number, std::vector<float>(n, 1.5f), n};
  return b;
}

const std::string kMinimalXml = "<root><passport/><channels/></root>";

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A file that exercises every stored member with values that do not survive a careless
// writer: shortest-round-trip doubles, negative times, Cyrillic and XML special characters.
CVantiroFile4 RichFile() {
  CVantiroFile4 f;
  f.version = 0;
  ChrmPassport& p = f.passport;
  p.assayid = "6f1c2a9e-0b7d-4c1e-9a55-3e2f1d0c4b8a";
  p.series = "Серия <№ 5> & \"ещё\"";
  p.andate = -1;
  p.duration = 0.1 + 0.2;
  p.sample = "Дизельное топливо 'ДТ-Л-К5'\tпроба\n2";
  p.method = "ГОСТ Р 56720-2015 A";
  p.graduation = true;
  p.date = std::numeric_limits<int64_t>::min();
  p.defect = true;
  p.mixture = "С5–С44 ]]> <!-- -->";
  ChrmColumn c;
  c.channel = 1;
  c.name = "ZB-1HT";
  c.brand = "Колонка";
  c.type = -7;
  c.diameter = 0.53;
  c.length = 1.0 / 3.0;
  c.carrier = "He";
  c.phase = "100% ПДМС";
  c.percent = -0.0;
  c.unit = INT_MAX;
  c.fraction0 = DBL_MIN;
  c.fraction1 = 4.9406564584124654e-324;
  c.film = DBL_MAX;
  c.part = "p&n";
  c.serial = "№ 0001";
  p.columns = {c, ChrmColumn{}};
  p.fields = {{"operator", "Оператор", "Иванов И. И."},
              {"Chrm_Type", "Chrm_Type", "#анализ"},
              {"empty", "", ""},
              {"operator", "Оператор 2", "Петров"}};

  ChrmChannel ch1;
  ch1.number = 1;
  ch1.startTime = -0.013333333333333334;
  ch1.step = 1.0 / 600.0;
  ch1.samples = {0.0f, -0.0f, 1e-45f, FLT_MAX, -3.25f, std::numeric_limits<float>::infinity()};
  ChrmPeak a{.front = 1.2345678901234567,
             .back = 2.5e-310,
             .time = 3.0000000000000004,
             .area = 123456789.12345679,
             .height = -1e300,
             .concent = 100.0 / 7.0,
             .name = "С10",
             .reference = true,
             .left = INT_MIN,
             .right = 12345,
             .flags = 0xFFFFFFFFu,
             .front_base_height = std::nextafter(1.0, 2.0),
             .back_base_height = std::nextafter(1.0, 0.0),
             .index = 1000.0000000000001};
  ChrmPeak b;
  b.name = "n-C\u0421 \"<&>\"";
  ch1.peaks = {a, b, ChrmPeak{}};
  ChrmChannel ch2;
  ch2.number = 255;
  ch2.startTime = 1e-3;
  ch2.step = 0.1;
  ChrmChannel ch3;
  ch3.number = 0;
  ch3.samples = std::vector<float>(1000, 0.125f);
  ch3.peaks = {b};
  f.channels = {ch1, ch2, ch3};
  return f;
}

// Every stored member of `a` and `b` alike, doubles bit for bit.
template <class Struct>
void ExpectSameFields(const Struct& a, const Struct& b) {
  ForEachChrmField<Struct>([&](const auto& field) {
    const auto& x = a.*field.member;
    const auto& y = b.*field.member;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(x)>, double>)
      EXPECT_TRUE(SameBits(x, y)) << field.name;
    else
      EXPECT_EQ(x, y) << field.name;
  });
}

void ExpectSameFile(const CVantiroFile4& x, const CVantiroFile4& y) {
  EXPECT_EQ(x.version, y.version);
  const ChrmPassport& p = x.passport;
  const ChrmPassport& q = y.passport;
  ExpectSameFields(p, q);
  ASSERT_EQ(p.columns.size(), q.columns.size());
  for (size_t i = 0; i < p.columns.size(); ++i) ExpectSameFields(p.columns[i], q.columns[i]);
  ASSERT_EQ(p.fields.size(), q.fields.size());
  for (size_t i = 0; i < p.fields.size(); ++i) {
    EXPECT_EQ(p.fields[i].name, q.fields[i].name);
    EXPECT_EQ(p.fields[i].title, q.fields[i].title);
    EXPECT_EQ(p.fields[i].value, q.fields[i].value);
  }
  ASSERT_EQ(x.channels.size(), y.channels.size());
  for (size_t i = 0; i < x.channels.size(); ++i) {
    const ChrmChannel& c = x.channels[i];
    const ChrmChannel& d = y.channels[i];
    EXPECT_EQ(c.number, d.number);
    EXPECT_TRUE(SameBits(c.startTime, d.startTime));
    EXPECT_TRUE(SameBits(c.step, d.step));
    ASSERT_EQ(c.samples.size(), d.samples.size());
    if (!c.samples.empty()) {
      EXPECT_EQ(0, std::memcmp(c.samples.data(), d.samples.data(), c.samples.size() * sizeof(float)));
    }
    ASSERT_EQ(c.peaks.size(), d.peaks.size());
    for (size_t k = 0; k < c.peaks.size(); ++k) ExpectSameFields(c.peaks[k], d.peaks[k]);
  }
}

TEST(ChrmFileRoundTrip, EveryStoredMemberComesBackBitForBit) {
  TempDir dir;
  const std::string path = dir.File("проба №1.stg");
  CVantiroFile4 written = RichFile();
  ASSERT_EQ(written.SaveToFile(path), 0);
  EXPECT_EQ(written.passport.path, path);

  CVantiroFile4 read;
  ASSERT_EQ(read.LoadFromFile(path), 0);
  EXPECT_EQ(read.passport.path, path);
  ExpectSameFile(written, read);

  // The same bytes through the memory reader, which leaves the path alone.
  const std::string bytes = ReadBytes(path);
  CVantiroFile4 fromMemory;
  ASSERT_EQ(fromMemory.LoadFromMemory(bytes.data(), bytes.size()), 0);
  EXPECT_EQ(fromMemory.passport.path, "");
  ExpectSameFile(written, fromMemory);

  // Writing what was read gives the same bytes.
  const std::string again = dir.File("again.stg");
  ASSERT_EQ(read.SaveToFile(again), 0);
  EXPECT_EQ(ReadBytes(again), bytes);
}

TEST(ChrmFileRoundTrip, NonFiniteDoublesSurvive) {
  TempDir dir;
  CVantiroFile4 written;
  ChrmChannel ch;
  ch.startTime = std::numeric_limits<double>::infinity();
  ch.step = -std::numeric_limits<double>::infinity();
  ChrmPeak peak;
  peak.area = std::numeric_limits<double>::quiet_NaN();
  ch.peaks = {peak};
  written.channels = {ch};
  ASSERT_EQ(written.SaveToFile(dir.File("f.stg")), 0);
  CVantiroFile4 read;
  ASSERT_EQ(read.LoadFromFile(dir.File("f.stg")), 0);
  ASSERT_EQ(read.channels.size(), 1u);
  EXPECT_EQ(read.channels[0].startTime, std::numeric_limits<double>::infinity());
  EXPECT_EQ(read.channels[0].step, -std::numeric_limits<double>::infinity());
  ASSERT_EQ(read.channels[0].peaks.size(), 1u);
  EXPECT_TRUE(std::isnan(read.channels[0].peaks[0].area));
}

TEST(ChrmFileLayout, HeaderBlocksAndXmlAsWritten) {
  TempDir dir;
  CVantiroFile4 f;
  f.passport.andate = -1;
  f.passport.sample = "a<b";
  f.passport.columns = {ChrmColumn{}};
  f.passport.fields = {{"operator", "Оператор", "Ж"}};
  ChrmChannel ch;
  ch.number = 0x1FF;  // only the low 8 bits go to the block
  ch.startTime = 0.1;
  ch.step = 0.5;
  ch.samples = {2.0f};
  ChrmPeak peak;
  peak.time = 0.1;
  peak.flags = 3000000000u;
  ch.peaks = {peak};
  f.channels = {ch};
  ASSERT_EQ(f.SaveToFile(dir.File("f.stg")), 0);
  const std::string bytes = ReadBytes(dir.File("f.stg"));

  std::string head = "STG";
  head.push_back('\x01');
  Put<uint32_t>(head, 0);
  Put<uint64_t>(head, 16 + 32 + 4);
  head.push_back('\xFF');
  head.append(7, '\0');
  Put<double>(head, 0.1);
  Put<double>(head, 0.5);
  Put<uint64_t>(head, 1);
  Put<float>(head, 2.0f);
  ASSERT_GE(bytes.size(), head.size());
  EXPECT_EQ(bytes.substr(0, head.size()), head);

  const std::string column =
      "<column><channel value=\"0\"/><name value=\"\"/><brand value=\"\"/><type value=\"0\"/>"
      "<diameter value=\"0\"/><length value=\"0\"/><carrier value=\"\"/><phase value=\"\"/>"
      "<percent value=\"0\"/><unit value=\"0\"/><fraction0 value=\"0\"/><fraction1 value=\"0\"/>"
      "<film value=\"0\"/><part value=\"\"/><serial value=\"\"/></column>";
  const std::string item =
      "<item><front value=\"0\"/><back value=\"0\"/><time value=\"0.10000000000000001\"/>"
      "<area value=\"0\"/><height value=\"0\"/><concent value=\"0\"/><name value=\"\"/>"
      "<reference value=\"false\"/><left value=\"-1\"/><right value=\"-1\"/>"
      "<flags value=\"3000000000\"/><front_base_height value=\"0\"/>"
      "<back_base_height value=\"0\"/><index value=\"0\"/></item>";
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><root version=\"1\"><passport version=\"1\">"
      "<assayid value=\"00000000-0000-0000-0000-000000000000\"/><series value=\"\"/>"
      "<andate value=\"-1\"/><duration value=\"0\"/><sample value=\"a&lt;b\"/>"
      "<method value=\"\"/><graduation value=\"false\"/><date value=\"0\"/>"
      "<defect value=\"false\"/><mixture value=\"\"/>" +
      column + "<operator title=\"Оператор\" value=\"Ж\"/></passport><channels><channel>" +
      "<number value=\"511\"/><table>" + item + "</table></channel></channels></root>";
  EXPECT_EQ(bytes.substr(head.size()), xml);
}

// Status of both readers for damaged containers: {memory, file}.
struct DamagedCase {
  const char* name;
  std::string bytes;
  int memoryStatus;
  int fileStatus;
};

TEST(ChrmFileDamaged, StatusOfEachReader) {
  std::string badMagic = Image({}, kMinimalXml);
  badMagic[2] = 'X';
  const std::string oneBlock = Image({Samples(1, 4)}, kMinimalXml);
  std::string countBeyondFile = oneBlock;
  const uint64_t tooMany = 1000000;
  std::memcpy(countBeyondFile.data() + 16 + 24, &tooMany, 8);
  std::string countHighBits = oneBlock;
  const uint64_t highBits = uint64_t{1} << 32;
  std::memcpy(countHighBits.data() + 16 + 24, &highBits, 8);
  std::string countAlmost4G = oneBlock;
  const uint64_t almost4G = 0xFFFFFFFFu;
  std::memcpy(countAlmost4G.data() + 16 + 24, &almost4G, 8);

  const DamagedCase cases[] = {
      {"empty", "", -3, -2},
      {"header short", std::string("STG\x01\0\0\0\0\x10\0", 10), -3, -2},
      {"bad magic", badMagic, -1, -3},
      {"version 2", Image({}, kMinimalXml, -1, 2), -2, -4},
      {"block header short", Image({}, "<root/>", 16 + 32), -3, -5},
      {"block header from the xml bytes", Image({}, kMinimalXml, 16 + 32), -3, -6},
      {"count the file cannot hold", countBeyondFile, -3, -6},
      {"count with high bits", countHighBits, -3, -6},
      {"count just below 2^32", countAlmost4G, -3, -6},
      {"xmlOffset 0", Image({}, kMinimalXml, 0), -3, -7},
      {"xmlOffset inside the header", Image({}, kMinimalXml, 8), -3, -7},
      {"xmlOffset inside a block", Image({Samples(1, 4)}, kMinimalXml, 20), -3, -7},
      {"xmlOffset far past the end", Image({Samples(1, 4)}, "<root/>", int64_t{1} << 62), -3, -5},
      {"xmlOffset huge", Image({}, "<root/>", std::numeric_limits<int64_t>::max()), -3, -5},
      {"xml not well-formed", Image({}, "<root><passport></root>"), -3, -7},
      {"xml part empty", Image({}, ""), -3, -7},
      {"version 0 reads", Image({}, kMinimalXml, -1, 0), 0, 0},
      {"one block reads", oneBlock, 0, 0},
  };
  TempDir dir;
  for (const DamagedCase& c : cases) {
    CVantiroFile4 mem;
    EXPECT_EQ(mem.LoadFromMemory(c.bytes.data(), c.bytes.size()), c.memoryStatus) << c.name;
    const std::string path = dir.File("damaged.stg");
    WriteBytes(path, c.bytes);
    CVantiroFile4 file;
    file.passport.path = "before";
    EXPECT_EQ(file.LoadFromFile(path), c.fileStatus) << c.name;
    EXPECT_EQ(file.passport.path, c.fileStatus == 0 ? path : "before") << c.name;
  }
}

TEST(ChrmFileDamaged, TruncationAtEveryByteNeverReadsPastTheEnd) {
  TempDir dir;
  CVantiroFile4 f = RichFile();
  ASSERT_EQ(f.SaveToFile(dir.File("f.stg")), 0);
  const std::string bytes = ReadBytes(dir.File("f.stg"));
  for (size_t n = 0; n < bytes.size(); n += (n < 4200 ? 1 : 97)) {
    // A copy of exactly n bytes, so that the sanitizers see any read beyond it.
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    CVantiroFile4 g;
    EXPECT_NE(g.LoadFromMemory(cut.data(), cut.size()), 0) << n;
  }
}

TEST(ChrmFileDamaged, MissingOrUnreadableFile) {
  TempDir dir;
  CVantiroFile4 f;
  EXPECT_EQ(f.LoadFromFile(dir.File("absent.stg")), -1);
  fs::create_directory(dir.File("folder.stg"));
  EXPECT_EQ(f.LoadFromFile(dir.File("folder.stg")), -1);
  EXPECT_EQ(f.SaveToFile(dir.File("no/such/folder.stg")), -1);
  EXPECT_EQ(f.SaveToFile(dir.File("folder.stg")), -1);
  EXPECT_EQ(f.passport.path, "");
}

TEST(ChrmFileDamaged, FullDiskIsReportedNotSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  CVantiroFile4 f = RichFile();
  EXPECT_LT(f.SaveToFile("/dev/full"), 0);
}

// ---- reading rules of the XML part ------------------------------------------------------

CVantiroFile4 LoadXml(const std::string& xml, std::vector<Block> blocks = {Samples(1, 2)}) {
  CVantiroFile4 f;
  const std::string bytes = Image(blocks, xml);
  EXPECT_EQ(f.LoadFromMemory(bytes.data(), bytes.size()), 0) << xml;
  return f;
}

std::string PeakXml(const std::string& items) {
  return "<root><channels><channel><number value=\"1\"/><table>" + items +
         "</table></channel></channels></root>";
}

struct PeakCase {
  const char* name;
  std::string item;
  bool reference;
  int left;
  int right;
  uint32_t flags;
  double front;
};

TEST(ChrmFileXmlValues, PeakFieldConversions) {
  const PeakCase cases[] = {
      {"empty item gives the defaults", "<item/>", false, -1, -1, 0, 0},
      {"reference y", "<item><reference value=\"yes\"/></item>", true, -1, -1, 0, 0},
      {"reference 1", "<item><reference value=\"1\"/></item>", true, -1, -1, 0, 0},
      {"reference T", "<item><reference value=\"True\"/></item>", true, -1, -1, 0, 0},
      {"reference n", "<item><reference value=\"no\"/></item>", false, -1, -1, 0, 0},
      {"reference blank first", "<item><reference value=\" true\"/></item>", false, -1, -1, 0, 0},
      {"element without value", "<item><left/><right/></item>", false, -1, -1, 0, 0},
      {"hexadecimal", "<item><left value=\"0x10\"/><right value=\"-0X1f\"/></item>", false, 16, -31, 0, 0},
      {"clamped", "<item><left value=\"99999999999\"/><right value=\"-99999999999\"/></item>", false, INT_MAX,
       INT_MIN, 0, 0},
      {"leading blanks and junk", "<item><left value=\" 12abc\"/><right value=\"x\"/></item>", false, 12, 0,
       0, 0},
      {"flags full range", "<item><flags value=\"4294967295\"/></item>", false, -1, -1, 0xFFFFFFFFu, 0},
      {"flags clamped", "<item><flags value=\"99999999999\"/></item>", false, -1, -1, 0xFFFFFFFFu, 0},
      {"double full stop", "<item><front value=\"1.5e1\"/></item>", false, -1, -1, 0, 15},
      {"double comma stops", "<item><front value=\"1,5\"/></item>", false, -1, -1, 0, 1},
      {"double hexadecimal", "<item><front value=\"0x1p3\"/></item>", false, -1, -1, 0, 8},
      {"double junk", "<item><front value=\"abc\"/></item>", false, -1, -1, 0, 0},
      {"name is case-sensitive", "<item><Front value=\"3\"/><LEFT value=\"4\"/></item>", false, -1, -1, 0, 0},
      {"first of two wins", "<item><left value=\"1\"/><left value=\"2\"/></item>", false, 1, -1, 0, 0},
  };
  for (const PeakCase& c : cases) {
    const CVantiroFile4 f = LoadXml(PeakXml(c.item));
    ASSERT_EQ(f.channels.size(), 1u) << c.name;
    ASSERT_EQ(f.channels[0].peaks.size(), 1u) << c.name;
    const ChrmPeak& p = f.channels[0].peaks[0];
    EXPECT_EQ(p.reference, c.reference) << c.name;
    EXPECT_EQ(p.left, c.left) << c.name;
    EXPECT_EQ(p.right, c.right) << c.name;
    EXPECT_EQ(p.flags, c.flags) << c.name;
    EXPECT_EQ(p.front, c.front) << c.name;
  }
}

// Peak values read exactly as the runtime's conversion reads them, whatever form a writer
// chose: every digit, exponents, subnormals, out of range, odd signs.
TEST(ChrmFileXmlValues, DecimalValuesReadAsTheRuntimeReadsThem) {
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "1.",
                                    ".5",
                                    "-.5",
                                    "007.250",
                                    "1e5",
                                    "1E-5",
                                    "1e+5",
                                    "1e",
                                    "1e400",
                                    "-1e400",
                                    "1e-330",
                                    "4.9e-324",
                                    "2.2250738585072011e-308",
                                    "1-2",
                                    "--1",
                                    "1.5.5",
                                    "123456789012345678901234567890.5",
                                    "0.1000000000000000055511151231257827",
                                    "+1"};
  uint64_t bits = 528;
  char text[64];
  for (int k = 0; k < 300; ++k) {
    bits = bits * 6364136223846793005u + 1442695040888963407u;
    const double v = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 90) - 80);
    std::snprintf(text, sizeof text, k % 3 == 0 ? "%.17g" : k % 3 == 1 ? "%.6f" : "%.9e", k % 2 ? -v : v);
    texts.push_back(text);
  }
  std::string items;
  for (const std::string& t : texts) items += "<item><front value=\"" + t + "\"/></item>";
  const CVantiroFile4 f = LoadXml(PeakXml(items));
  ASSERT_EQ(f.channels.size(), 1u);
  ASSERT_EQ(f.channels[0].peaks.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(SameBits(f.channels[0].peaks[i].front, std::strtod(texts[i].c_str(), nullptr))) << texts[i];
  }
}

TEST(ChrmFileXmlValues, PeakTablesGoToTheChannelOfTheirNumber) {
  const std::string xml =
      "<root><channels>"
      "<channel><number value=\"-1\"/><table><item/></table></channel>"
      "<channel><number value=\"9\"/><table><item/></table></channel>"
      "<channel><table><item/></table></channel>"
      "<channel><number value=\"2\"/><table><item/><item/></table></channel>"
      "<channel><number value=\"7\"/><table><item/></table></channel>"
      "<channel><number value=\"7\"/><table><item/><item/><item/></table></channel>"
      "<other><number value=\"2\"/><table><item/></table></other>"
      "</channels></root>";
  const CVantiroFile4 f = LoadXml(xml, {Samples(7, 1), Samples(2, 0), Samples(7, 3)});
  ASSERT_EQ(f.channels.size(), 3u);
  EXPECT_EQ(f.channels[0].peaks.size(), 3u);  // the later element for channel 7 replaces the first
  EXPECT_EQ(f.channels[1].peaks.size(), 2u);
  EXPECT_EQ(f.channels[2].peaks.size(), 0u);  // only the first channel numbered 7 gets peaks
  EXPECT_EQ(f.channels[2].samples.size(), 3u);
}

TEST(ChrmFileXmlValues, FileWithoutChannelsIgnoresPeakTables) {
  const CVantiroFile4 f = LoadXml(PeakXml("<item/>"), {});
  EXPECT_TRUE(f.channels.empty());
}

TEST(ChrmFileXmlValues, PassportElements) {
  const std::string xml =
      "<root><passport>"
      "<sample value=\"first\"/><sample value=\"второй\"/>"
      "<andate value=\"-9223372036854775809\"/><date value=\"0x7fffffffffffffff\"/>"
      "<duration value=\" 12.5\"/><graduation value=\"Y\"/><defect value=\"false\"/>"
      "<operator title=\"Оператор\" value=\"Иванов\"/><operator value=\"Петров\"/>"
      "<column><name value=\"A\"/><diameter value=\"0.25\"/></column><column/>"
      "<Chrm_Type title=\"Chrm_Type\" value=\"#анализ\"/>"
      "</passport></root>";
  CVantiroFile4 f;
  f.passport.series = "kept";
  f.passport.columns = {ChrmColumn{}, ChrmColumn{}, ChrmColumn{}};
  f.passport.fields = {{"old", "", ""}};
  const std::string bytes = Image({}, xml);
  ASSERT_EQ(f.LoadFromMemory(bytes.data(), bytes.size()), 0);
  const ChrmPassport& p = f.passport;
  EXPECT_EQ(p.series, "kept");
  EXPECT_EQ(p.sample, "второй");
  EXPECT_EQ(p.andate, std::numeric_limits<int64_t>::min());
  EXPECT_EQ(p.date, std::numeric_limits<int64_t>::max());
  EXPECT_EQ(p.duration, 12.5);
  EXPECT_TRUE(p.graduation);
  EXPECT_FALSE(p.defect);
  ASSERT_EQ(p.columns.size(), 2u);
  EXPECT_EQ(p.columns[0].name, "A");
  EXPECT_EQ(p.columns[0].diameter, 0.25);
  ASSERT_EQ(p.fields.size(), 3u);
  EXPECT_EQ(p.fields[0].name, "operator");
  EXPECT_EQ(p.fields[0].title, "Оператор");
  EXPECT_EQ(p.fields[0].value, "Иванов");
  EXPECT_EQ(p.fields[1].title, "");
  EXPECT_EQ(p.fields[1].value, "Петров");
  EXPECT_EQ(p.fields[2].name, "Chrm_Type");
}

TEST(ChrmFileXmlValues, XmlAsXmlPrescribes) {
  // Entity and character references, CDATA, attribute whitespace and end-of-line handling.
  const std::string xml =
      "<?xml version=\"1.0\"?>\r\n<root>\r\n<passport>"
      "<sample value=\"a&amp;b &#x416;&#1078; c\td\r\ne\"/>"
      "<operator title=\"&lt;&gt;&quot;&apos;\" value=\"x\"/>"
      "</passport><![CDATA[ <ignored> ]]></root>";
  const CVantiroFile4 f = LoadXml(xml, {});
  EXPECT_EQ(f.passport.sample, "a&b Жж c d e");  // CR LF is one line end, then one blank
  ASSERT_EQ(f.passport.fields.size(), 1u);
  EXPECT_EQ(f.passport.fields[0].title, "<>\"'");
}

TEST(ChrmFileXmlValues, Utf16XmlWithByteOrderMark) {
  const std::u16string text = u"\uFEFF<root><passport><sample value=\"Проба\"/></passport></root>";
  std::string xml(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  const CVantiroFile4 f = LoadXml(xml, {});
  EXPECT_EQ(f.passport.sample, "Проба");
}

// A passport written by a host on Windows, in its code page: its texts used to become
// U+FFFD, so the role was not recognised and the file was dropped.
TEST(ChrmFileXmlValues, Windows1251XmlAsItsDeclarationSays) {
  const std::string body = "<root><passport><sample value=\"\xCF\xF0\xEE\xE1\xE0\"/></passport></root>";
  for (const char* declaration : {"<?xml version=\"1.0\" encoding=\"windows-1251\"?>",
                                  "<?xml version='1.0' encoding='WINDOWS-1251'?>"}) {
    EXPECT_EQ(LoadXml(declaration + body, {}).passport.sample, "Проба") << declaration;
  }
}

TEST(ChrmChannelCopy, CopiesDataAndOwnsItsOwnLock) {
  ChrmChannel a;
  a.number = 3;
  a.samples = {1, 2, 3};
  a.peaks.resize(2);
  ChrmChannel b(a);
  EXPECT_EQ(b.samples, a.samples);
  EXPECT_EQ(b.peaks.size(), 2u);
  EXPECT_NE(&*b.lock, &*a.lock);
  ChrmChannel c;
  c = a;
  EXPECT_EQ(c.number, 3);
  EXPECT_NE(&*c.lock, &*a.lock);
  const ChrmChannel& same = c;
  c = same;  // self-assignment must not lock the same mutex twice
  EXPECT_EQ(c.samples.size(), 3u);
  std::lock_guard<std::mutex> held(*a.lock);  // a copy made elsewhere would wait for it
  EXPECT_TRUE(b.lock->try_lock());
  b.lock->unlock();
}

// A moved-from channel kept a null lock that the engine would have dereferenced.
TEST(ChrmChannelCopy, MovesLeaveEveryChannelWithAUsableLock) {
  ChrmChannel a;
  a.samples = {1, 2, 3};
  ChrmChannel b(std::move(a));
  EXPECT_EQ(b.samples.size(), 3u);
  ChrmChannel c;
  c = std::move(b);
  for (const ChrmChannel* channel : {&a, &b, &c}) {
    ASSERT_TRUE(channel->lock->try_lock());
    channel->lock->unlock();
  }
  const ChrmChannel copyOfMovedFrom(a);  // copying a moved-from channel locks its mutex
  EXPECT_NE(&*copyOfMovedFrom.lock, &*a.lock);
}

// Reading a chromatogram from a path that is not a regular file: a device, a FIFO or a
// folder is refused before it is opened (a FIFO without a writer used to hang the reader,
// a device to be read as a stream), and the object keeps what it held.
TEST(ChrmFileFromOtherPaths, DevicesFifosAndFoldersCannotBeOpened) {
  test::TempFolder folder;
  const std::string fifo = folder / "run.chrm";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), std::string("/dev/null"), fifo, folder.path()}) {
    if (!std::filesystem::exists(path)) continue;
    ChrmFile file;
    file.passport.path = "before";
    file.channels.resize(1);
    EXPECT_EQ(file.LoadFromFile(path), ChrmFileCannotOpen) << path;
    EXPECT_EQ(file.passport.path, "before") << path;
    EXPECT_EQ(file.channels.size(), 1u) << path;
  }
}

}  // namespace
}  // namespace p528
