#include "aia_writer.h"

#include "shell/text.h"

#include <netcdf.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace p528::chrmgen {

namespace {

// "4.9.0" of the library's "4.9.0 of Aug  7 2022 ...".
std::string LibraryVersion() {
  const std::string text = nc_inq_libvers();
  return text.substr(0, text.find(' '));
}

// Every netCDF call of the writer: a failure ends the file.
class Writer {
 public:
  Writer(std::string path, std::string shownPath) : path_(std::move(path)), shown_(std::move(shownPath)) {}
  void Check(int status) const {
    if (status != NC_NOERR) throw std::runtime_error("cannot write " + shown_ + ": " + nc_strerror(status));
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string shown_;
};

void PutText(const Writer& w, int ncid, int varid, const char* name, const std::string& value) {
  w.Check(nc_put_att_text(ncid, varid, name, value.size(), value.c_str()));
}

std::string FieldValue(const ChrmPassport& p, const char* name) {
  for (const PassportField& f : p.fields) {
    if (f.name == name) return f.value;
  }
  return {};
}

void Write(const Writer& w, const ChrmFile& file) {
  const ChrmChannel& channel = file.channels.front();
  const ChrmPassport& p = file.passport;
  int ncid = -1;
  w.Check(nc_create(w.path().c_str(), NC_CLOBBER, &ncid));
  struct Closer {
    int id;
    ~Closer() {
      if (id >= 0) nc_close(id);
    }
  } closer{ncid};

  for (const auto& [name, value] : std::vector<std::pair<const char*, std::string>>{
           {"dataset_completeness", "C1+C2"},
           {"protocol_template_revision", "1.0"},
           {"netcdf_revision", LibraryVersion()},
           {"languages", "English"},
           {"dataset_origin", "chrmgen"},
           {"experiment_title", p.method},
           {"operator_name", FieldValue(p, "operator")},
           {"injection_date_time_stamp", AiaTimestampText(p.andate, kMoscowOffsetMinutes)},
           {"company_method_name", p.method},
           {"separation_experiment_type", "gas chromatography"},
           {"sample_id", p.assayid},
           {"sample_name", p.sample},
           {"detector_name", "FID"},
           {"retention_unit", "minutes"},
       }) {
    PutText(w, ncid, NC_GLOBAL, name, value);
  }

  int points = -1;
  w.Check(nc_def_dim(ncid, "point_number", std::max<size_t>(channel.samples.size(), 1), &points));
  const auto scalar = [&](const char* name) {
    int id = -1;
    w.Check(nc_def_var(ncid, name, NC_DOUBLE, 0, nullptr, &id));
    return id;
  };
  const int delay = scalar("actual_delay_time");
  const int interval = scalar("actual_sampling_interval");
  const int runLength = scalar("actual_run_time_length");
  int ordinate = -1;
  w.Check(nc_def_var(ncid, "ordinate_values", NC_FLOAT, 1, &points, &ordinate));
  PutText(w, ncid, ordinate, "uniform_sampling_flag", "Y");

  const std::vector<ChrmPeak>& peaks = channel.peaks;
  struct PeakColumn {
    const char* name;
    double ChrmPeak::*member;
    int id;
  };
  std::vector<PeakColumn> columns = {{"peak_retention_time", &ChrmPeak::time, -1},
                                     {"peak_start_time", &ChrmPeak::front, -1},
                                     {"peak_end_time", &ChrmPeak::back, -1},
                                     {"peak_height", &ChrmPeak::height, -1},
                                     {"peak_area", &ChrmPeak::area, -1}};
  int nameVar = -1;
  size_t width = 32;
  if (!peaks.empty()) {
    for (const ChrmPeak& peak : peaks) width = std::max(width, peak.name.size() + 1);
    int peakDim = -1;
    int textDim = -1;
    w.Check(nc_def_dim(ncid, "peak_number", peaks.size(), &peakDim));
    w.Check(nc_def_dim(ncid, Format("_%zu_byte_string", width).c_str(), width, &textDim));
    for (PeakColumn& c : columns) w.Check(nc_def_var(ncid, c.name, NC_DOUBLE, 1, &peakDim, &c.id));
    const int dims[2] = {peakDim, textDim};
    w.Check(nc_def_var(ncid, "peak_name", NC_CHAR, 2, dims, &nameVar));
  }
  w.Check(nc_enddef(ncid));

  const double minutes[3] = {
      channel.startTime, channel.step,
      p.duration > 0 ? p.duration : channel.step * static_cast<double>(channel.samples.size())};
  w.Check(nc_put_var_double(ncid, delay, &minutes[0]));
  w.Check(nc_put_var_double(ncid, interval, &minutes[1]));
  w.Check(nc_put_var_double(ncid, runLength, &minutes[2]));
  if (!channel.samples.empty()) w.Check(nc_put_var_float(ncid, ordinate, channel.samples.data()));
  if (!peaks.empty()) {
    std::vector<double> values(peaks.size());
    for (const PeakColumn& c : columns) {
      for (size_t i = 0; i < peaks.size(); ++i) values[i] = peaks[i].*c.member;
      w.Check(nc_put_var_double(ncid, c.id, values.data()));
    }
    std::string names(peaks.size() * width, '\0');
    for (size_t i = 0; i < peaks.size(); ++i) names.replace(i * width, peaks[i].name.size(), peaks[i].name);
    w.Check(nc_put_var_text(ncid, nameVar, names.data()));
  }
  closer.id = -1;
  w.Check(nc_close(ncid));
}

}  // namespace

std::string AiaTimestampText(int64_t utcSeconds, int offsetMinutes) {
  const int64_t local = utcSeconds + int64_t{offsetMinutes} * 60;
  const int64_t days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
  const int64_t secondOfDay = local - days * 86400;
  // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  return Format("%04lld%02lld%02lld%02lld%02lld%02lld%c%02d%02d", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day),
                static_cast<long long>(secondOfDay / 3600), static_cast<long long>(secondOfDay / 60 % 60),
                static_cast<long long>(secondOfDay % 60), offsetMinutes < 0 ? '-' : '+', offset / 60,
                offset % 60);
}

void WriteAiaFile(const ChrmFile& file, const std::string& path) {
  if (file.channels.empty())
    throw std::runtime_error("cannot write " + path + ": the chromatogram has no channel");
  const std::string temporary = path + ".tmp";
  try {
    Write(Writer(temporary, path), file);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    throw std::runtime_error("cannot write " + path);
  }
}

void WriteAiaSet(const GeneratedSet& set, const std::string& folder) {
  for (const GeneratedRun& run : set.runs) {
    std::filesystem::path target = std::filesystem::path(folder) / run.fileName;
    target.replace_extension(".cdf");
    WriteAiaFile(run.file, target.string());
  }
}

}  // namespace p528::chrmgen
