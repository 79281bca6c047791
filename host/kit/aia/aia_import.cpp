#include "host/kit/aia/aia_import.h"

#include "host/kit/aia/aia_date.h"
#include "host/kit/aia/aia_values.h"
#include "host/kit/aia/classic_header.h"
#include "host/kit/aia/even_sampling.h"
#include "host/kit/aia/time_unit.h"
#include "shell/regular_file.h"
#include "shell/text.h"

#include <netcdf.h>
#include <netcdf_mem.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <random>
#include <set>

namespace p528::aia {

namespace {

// Passport fields kept from the global attributes, at most.
constexpr size_t kMaxFields = 256;
// Zeros behind a file's bytes in memory, so that netCDF may read its header in whole blocks.
constexpr size_t kHeaderReadAhead = size_t{64} << 10;
// Values this large are the fill values netCDF gives to samples never written.
constexpr double kFillMagnitude = 9.9e36;

// Global attributes that become passport members or are read for the sampling, so they are
// not kept again as passport fields.
const std::set<std::string> kMappedAttributes = {"sample_name", "operator_name", "company_method_name"};

class OpenFile {
 public:
  explicit OpenFile(int id) : id_(id) {}
  ~OpenFile() { nc_close(id_); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int id() const { return id_; }

 private:
  int id_;
};

std::string OpenError(int status) {
  if (status == NC_ENOTNC) return "not a netCDF file";
  return std::string("cannot be read as netCDF: ") + nc_strerror(status);
}

// A passport field's element name from an attribute name: only letters, digits, "_", "." and
// "-" survive (others become "_"), behind the prefix "aia_", so that the XML stays well-formed
// and no attribute can pose as a passport member of the system ("sample", "andate", ...).
std::string FieldName(const std::string& attribute) {
  std::string name = "aia_";
  for (char c : attribute) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '_' || c == '.' || c == '-';
    name += keep ? c : '_';
  }
  return name;
}

// False when a file of a classic format (whose data are stored uncompressed) is smaller than
// `bytes` of its data: it is truncated, and nothing that large is allocated for it.
bool FitsInFile(int ncid, uint64_t fileBytes, uint64_t bytes) {
  int format = 0;
  if (nc_inq_format(ncid, &format) != NC_NOERR) return false;
  const bool classic =
      format == NC_FORMAT_CLASSIC || format == NC_FORMAT_64BIT_OFFSET || format == NC_FORMAT_CDF5;
  return !classic || bytes <= fileBytes;
}

struct Signal {
  std::vector<std::vector<float>> channels;
  size_t points = 0;
};

// Reads every detector signal of ordinate_values; "" on success, else why it was refused.
std::string ReadSignal(int ncid, uint64_t fileBytes, Signal& signal) {
  const std::optional<VarShape> shape = Shape(ncid, "ordinate_values");
  if (!shape) return "ordinate_values has more than two dimensions";
  if (shape->type == NC_CHAR || shape->type == NC_STRING || shape->dimLengths.empty())
    return "ordinate_values is not a list of detector samples";
  size_t pointsDim = 0;
  size_t channelCount = 1;
  if (shape->dimLengths.size() == 2) {
    if (shape->dimNames[1] == "point_number") {
      pointsDim = 1;
      channelCount = shape->dimLengths[0];
    } else if (shape->dimNames[0] == "point_number") {
      channelCount = shape->dimLengths[1];
    } else {
      return "ordinate_values has two dimensions and neither is point_number";
    }
  }
  const size_t points = shape->dimLengths[pointsDim];
  if (points == 0 || channelCount == 0) return "the file holds no detector samples";
  if (channelCount > kMaxChannels)
    return Format("the file has %zu detector channels, more than the %zu accepted", channelCount,
                  kMaxChannels);
  if (points > kMaxPoints / channelCount)
    return Format("the signal has %zu samples, more than the %zu accepted", points * channelCount,
                  kMaxPoints);

  size_t typeSize = 0;
  if (nc_inq_type(ncid, shape->type, nullptr, &typeSize) != NC_NOERR ||
      !FitsInFile(ncid, fileBytes, static_cast<uint64_t>(points) * channelCount * typeSize))
    return "the file is truncated: it is smaller than its signal";

  double declaredFill = kNull;
  for (const char* name : {"_FillValue", "missing_value"}) {
    nc_type type = 0;
    size_t length = 0;
    double value = 0;
    if (nc_inq_att(ncid, shape->varid, name, &type, &length) == NC_NOERR && length == 1 && type != NC_CHAR &&
        type != NC_STRING && nc_get_att_double(ncid, shape->varid, name, &value) == NC_NOERR)
      declaredFill = value;
  }

  signal.points = points;
  for (size_t c = 0; c < channelCount; ++c) {
    std::vector<float> samples(points);
    std::array<size_t, 2> start = {0, 0};
    std::array<size_t, 2> count = {points, 1};
    if (shape->dimLengths.size() == 2) {
      start[1 - pointsDim] = c;
      count[pointsDim] = points;
      count[1 - pointsDim] = 1;
    }
    const int status = nc_get_vara_float(ncid, shape->varid, start.data(), count.data(), samples.data());
    if (status == NC_ERANGE) return Format("channel %zu: samples beyond the range of the signal", c + 1);
    if (status != NC_NOERR)
      return Format("channel %zu: the signal cannot be read (the file is truncated or damaged): %s", c + 1,
                    nc_strerror(status));
    size_t nulls = 0;
    size_t first = 0;
    for (size_t i = 0; i < points; ++i) {
      const double v = samples[i];
      if (IsNull(v) || std::fabs(v) >= kFillMagnitude ||
          v == static_cast<double>(static_cast<float>(declaredFill))) {
        if (nulls++ == 0) first = i;
      }
    }
    if (nulls > 0)
      return Format(
          "channel %zu: %zu of %zu samples are missing (null or fill values), the first at sample %zu", c + 1,
          nulls, points, first + 1);
    signal.channels.push_back(std::move(samples));
  }
  return {};
}

struct Sampling {
  double start = 0;  // file's time unit
  double step = 0;
};

// The start and step of the samples; "" on success, else why they were refused. A file that
// says its sampling is uniform but gives no interval is read by its sampling times when it
// holds them.
std::string ReadSampling(int ncid, size_t points, const std::string& unitName, Sampling& sampling) {
  const std::string flag = Text(ncid, "uniform_sampling_flag", "ordinate_values");
  const bool uniform = flag.empty() || (flag[0] != 'N' && flag[0] != 'n');
  const bool hasTimes = Shape(ncid, "raw_data_retention").has_value();
  if (uniform) {
    const std::optional<double> interval = Number(ncid, "actual_sampling_interval", "ordinate_values");
    if (interval) {
      if (!(*interval > 0)) return Format("the sampling interval %g is not positive", *interval);
      sampling.step = *interval;
      sampling.start = Number(ncid, "actual_delay_time", "ordinate_values").value_or(0.0);
      return {};
    }
    if (!hasTimes) return "the file gives no sampling interval (actual_sampling_interval)";
  }
  std::string error;
  std::vector<double> times = Doubles(ncid, "raw_data_retention", points, &error);
  if (times.empty())
    return std::string(uniform ? "the file gives no sampling interval and its sampling times cannot be read"
                               : "the sampling is not uniform and the file holds no sampling times") +
           " (raw_data_retention)" + (error.empty() ? std::string() : ": " + error);
  for (double& t : times) {
    if (IsNull(t)) t = NAN;
  }
  EvenSampling even;
  error = EvenSamplingOf(times, unitName, even);
  if (!error.empty()) return error;
  sampling.start = even.start;
  sampling.step = even.step;
  return {};
}

// The peak table; "" on success, else why the file was refused.
std::string ReadPeaks(int ncid, uint64_t fileBytes, double divisor, std::vector<ChrmPeak>& peaks,
                      std::vector<std::string>& notices) {
  size_t count = 0;
  int dimid = -1;
  if (nc_inq_dimid(ncid, "peak_number", &dimid) == NC_NOERR) {
    if (nc_inq_dimlen(ncid, dimid, &count) != NC_NOERR) return "the peak table cannot be read";
  } else if (const std::optional<VarShape> shape = Shape(ncid, "peak_retention_time");
             shape && shape->dimLengths.size() == 1) {
    count = shape->dimLengths[0];
  }
  if (count == 0) return {};
  if (count > kMaxPeaks)
    return Format("the peak table has %zu peaks, more than the %zu accepted", count, kMaxPeaks);
  uint64_t nameBytes = 0;
  if (const std::optional<VarShape> names = Shape(ncid, "peak_name"); names && names->dimLengths.size() == 2)
    nameBytes = static_cast<uint64_t>(names->dimLengths[0]) * names->dimLengths[1];
  if (!FitsInFile(ncid, fileBytes, std::max<uint64_t>(count, nameBytes)))
    return "the file is truncated: it is smaller than its peak table";

  struct Column {
    const char* variable;
    double ChrmPeak::*member;
    bool isTime;
  };
  static const std::array<Column, 5> kColumns = {{
      {"peak_retention_time", &ChrmPeak::time, true},
      {"peak_start_time", &ChrmPeak::front, true},
      {"peak_end_time", &ChrmPeak::back, true},
      {"peak_height", &ChrmPeak::height, false},
      {"peak_area", &ChrmPeak::area, true},  // signal x time: converted like a time
  }};
  peaks.assign(count, ChrmPeak{});
  std::string missing;
  for (const Column& column : kColumns) {
    std::string error;
    const std::vector<double> values = Doubles(ncid, column.variable, count, &error);
    if (!error.empty()) return "the peak table is truncated or damaged: " + error;
    if (values.empty()) {
      missing += (missing.empty() ? "" : ", ") + std::string(column.variable);
      continue;
    }
    for (size_t i = 0; i < count; ++i) {
      const double v = values[i];
      peaks[i].*column.member = IsNull(v) ? 0.0 : (column.isTime ? v / divisor : v);
    }
  }
  if (!missing.empty()) notices.push_back("the peak table has no " + missing + ": read as 0");
  std::string error;
  const std::vector<std::string> names = TextRows(ncid, "peak_name", count, &error);
  if (!error.empty()) return "the peak table is truncated or damaged: " + error;
  if (names.empty()) {
    notices.push_back("the peak table has no peak_name: peaks are unnamed");
  } else {
    for (size_t i = 0; i < count; ++i) peaks[i].name = names[i];
  }
  return {};
}

void ReadPassport(int ncid, const std::string& roleText, double divisor, ChrmPassport& p,
                  std::vector<std::string>& notices) {
  p.assayid = NewAssayId();
  p.sample = GlobalText(ncid, "sample_name");
  p.method = GlobalText(ncid, "company_method_name");
  if (const std::optional<double> length = Number(ncid, "actual_run_time_length"))
    p.duration = *length / divisor;

  std::optional<AiaTimestamp> stamp;
  for (const char* name : {"injection_date_time_stamp", "dataset_date_time_stamp"}) {
    const std::string text = GlobalText(ncid, name);
    if (text.empty()) continue;
    stamp = ParseAiaTimestamp(text);
    if (!stamp) {
      notices.push_back(Format("%s \"%s\" is not a date and time", name, text.c_str()));
      continue;
    }
    if (!IsSensibleYear(stamp->year)) {
      notices.push_back(
          Format("%s \"%s\" is not a sensible analysis time (the year %d)", name, text.c_str(), stamp->year));
      stamp.reset();
      continue;
    }
    if (std::string(name) != "injection_date_time_stamp")
      notices.push_back("no injection time: the time of the data set is taken");
    break;
  }
  if (stamp) {
    p.andate = stamp->utcSeconds;
    if (!stamp->hadOffset) notices.push_back("the injection time names no offset from UTC: taken as UTC");
  } else {
    notices.push_back("the analysis time is unknown: parallel runs are numbered by it");
  }

  if (!roleText.empty()) p.fields.push_back({"chrm_type", "Chrm_Type", roleText});
  const std::string operatorName = GlobalText(ncid, "operator_name");
  if (!operatorName.empty()) p.fields.push_back({"operator", "operator_name", operatorName});

  int count = 0;
  if (nc_inq_natts(ncid, &count) != NC_NOERR) return;
  for (int i = 0; i < count; ++i) {
    std::array<char, NC_MAX_NAME + 1> name{};
    if (nc_inq_attname(ncid, NC_GLOBAL, i, name.data()) != NC_NOERR) continue;
    const std::string attribute = CleanText(name.data(), std::char_traits<char>::length(name.data()));
    if (kMappedAttributes.count(attribute) != 0) continue;
    const std::string value = GlobalText(ncid, name.data());
    if (value.empty() || attribute.empty()) continue;
    if (p.fields.size() >= kMaxFields) {
      notices.push_back(Format("only the first %zu attributes are kept in the passport", kMaxFields));
      break;
    }
    p.fields.push_back({FieldName(attribute), attribute, value});
  }
}

AiaImportResult Import(int ncid, uint64_t fileBytes, const std::string& roleText) {
  AiaImportResult result;
  int varid = -1;
  if (nc_inq_varid(ncid, "ordinate_values", &varid) != NC_NOERR) {
    result.error = "not an AIA chromatography file: it holds no detector signal (ordinate_values)";
    return result;
  }
  std::string unitText = Text(ncid, "retention_unit", "ordinate_values");
  if (unitText.empty()) unitText = Text(ncid, "retention_units", "ordinate_values");
  TimeUnit timeUnit = TimeUnit::Seconds;
  if (unitText.empty()) {
    result.notices.push_back("the file names no time unit (retention_unit): seconds assumed");
  } else if (const std::optional<TimeUnit> named = TimeUnitFromText(unitText)) {
    timeUnit = *named;
  } else {
    result.error = "unknown time unit \"" + unitText + "\" (retention_unit)";
    return result;
  }
  const std::string unit = TimeUnitName(timeUnit);
  const double divisor = PerMinute(timeUnit);

  Signal signal;
  result.error = ReadSignal(ncid, fileBytes, signal);
  Sampling sampling;
  if (result.ok()) result.error = ReadSampling(ncid, signal.points, unit, sampling);
  std::vector<ChrmPeak> peaks;
  if (result.ok()) result.error = ReadPeaks(ncid, fileBytes, divisor, peaks, result.notices);
  if (!result.ok()) {
    result.notices.clear();
    return result;
  }
  // A step so small that in minutes it is no number of its own (5e-324 s) would be stored
  // as 0: every sample at the same time.
  if (!std::isnormal(sampling.step / divisor)) {
    result.error = Format("the sampling interval %g %s is too small", sampling.step, unit.c_str());
    result.notices.clear();
    return result;
  }
  ReadPassport(ncid, roleText, divisor, result.file.passport, result.notices);
  if (signal.channels.size() > 1)
    result.notices.push_back(
        Format("%zu detector channels: the calculation uses channel 1", signal.channels.size()));

  for (size_t c = 0; c < signal.channels.size(); ++c) {
    ChrmChannel channel;
    channel.number = static_cast<int>(c + 1);
    channel.startTime = sampling.start / divisor;
    channel.step = sampling.step / divisor;
    channel.samples = std::move(signal.channels[c]);
    if (c == 0) channel.peaks = std::move(peaks);
    result.file.channels.push_back(std::move(channel));
  }
  return result;
}

// Opens the bytes of a whole file with netCDF and imports them. The header is checked first:
// netCDF sees only a classic header whose every part lies within the file.
AiaImportResult ImportBytes(std::string& bytes, const std::string& roleText) {
  AiaImportResult result;
  result.error = ClassicHeaderProblem(bytes.data(), bytes.size());
  if (!result.ok()) return result;
  // netCDF reads a header in whole blocks: a file whose header fills most of it would read
  // past the end of the bytes. Zeros behind them let it, and the check above keeps every
  // variable's data within the file's own bytes.
  const size_t fileBytes = bytes.size();
  bytes.append(kHeaderReadAhead, '\0');
  int ncid = -1;
  const int status = nc_open_mem("memory.cdf", NC_NOWRITE, bytes.size(), bytes.data(), &ncid);
  if (status != NC_NOERR) {
    result.error = OpenError(status);
    return result;
  }
  const OpenFile file(ncid);
  try {
    return Import(ncid, fileBytes, roleText);
  } catch (const std::bad_alloc&) {
    result.error = "not enough memory to import the file";
    return result;
  }
}

}  // namespace

AiaImportResult ImportAia(const std::string& path, const std::string& roleText) {
  // The file is read whole and opened from memory: there netCDF reports a read past the end
  // of a truncated file as an error, where from a file it would return zeros. Only a regular
  // file is read: a FIFO would wait for ever, a device read without end.
  AiaImportResult result;
  std::string reason;
  const int fd = OpenRegularFile(path, &reason);
  if (fd < 0) {
    result.error = "cannot open the file: " + reason;
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || static_cast<uint64_t>(info.st_size) > kMaxFileBytes) {
    ::close(fd);
    result.error = Format("the file is larger than the %zu MiB accepted", kMaxFileBytes >> 20);
    return result;
  }
  std::string bytes;
  bool read = true;
  try {
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (read && done < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      read = n > 0;
      if (read) done += static_cast<size_t>(n);
    }
  } catch (const std::bad_alloc&) {
    ::close(fd);
    result.error = "not enough memory to import the file";
    return result;
  }
  ::close(fd);
  if (!read) {
    result.error = "cannot read the file";
    return result;
  }
  return ImportBytes(bytes, roleText);
}

AiaImportResult ImportAiaMemory(const void* bytes, size_t count, const std::string& roleText) {
  if (count > kMaxFileBytes) {
    AiaImportResult result;
    result.error = Format("the file is larger than the %zu MiB accepted", kMaxFileBytes >> 20);
    return result;
  }
  // netCDF may write into the buffer it reads from; it gets its own copy.
  std::string copy(static_cast<const char*>(bytes), count);
  return ImportBytes(copy, roleText);
}

std::string NewAssayId() {
  std::random_device device;
  std::array<uint8_t, 16> b{};
  for (size_t i = 0; i < b.size(); i += 4) {
    const uint32_t r = device();
    for (size_t k = 0; k < 4; ++k) b[i + k] = static_cast<uint8_t>(r >> (8 * k));
  }
  b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);  // version 4: random
  b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);
  return Format("%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0], b[1], b[2],
                b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
}

void SetChrmType(ChrmFile& file, const std::string& roleText) {
  std::vector<PassportField>& fields = file.passport.fields;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    if (it->title != "Chrm_Type") continue;
    if (roleText.empty()) {
      fields.erase(it);
    } else {
      it->value = roleText;
    }
    return;
  }
  if (!roleText.empty()) fields.insert(fields.begin(), {"chrm_type", "Chrm_Type", roleText});
}

}  // namespace p528::aia
