// AIA chromatography files written by the tests with the netCDF library, the way data
// systems write them: a valid starting point (`TypicalAiaFile`) that each test changes in the
// one respect it is about. Header-only; the test program links netCDF.
#pragma once

#include <netcdf.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace p528::test {

struct AiaTestFile {
  std::vector<std::pair<std::string, std::string>> texts;  // global text attributes
  std::vector<std::pair<std::string, double>> numbers;     // global numeric attributes (double)
  std::vector<std::pair<std::string, double>> scalars;     // scalar variables (float, as AIA defines them)
  std::vector<std::vector<float>> signals;  // ordinate_values; two or more: (detector, point_number)
  std::vector<std::pair<std::string, std::string>> signalTexts;  // text attributes of ordinate_values
  std::vector<double> times;                                     // raw_data_retention (float) when not empty
  std::vector<std::string> peakNames;                            // peak_name (peak_number, _32_byte_string)
  char namePad = '\0';                                           // what fills a name to 32 bytes
  std::vector<std::pair<std::string, std::vector<double>>> peakColumns;  // float (peak_number)
  int format = 0;  // added to NC_CLOBBER: 0 (CDF-1), NC_64BIT_OFFSET (CDF-2), NC_64BIT_DATA (CDF-5)

  // Sets (or adds) a global text attribute.
  void SetText(const std::string& name, const std::string& value) {
    for (auto& [n, v] : texts) {
      if (n == name) {
        v = value;
        return;
      }
    }
    texts.emplace_back(name, value);
  }
  void Erase(const std::string& name) {
    std::erase_if(texts, [&](const auto& t) { return t.first == name; });
    std::erase_if(numbers, [&](const auto& t) { return t.first == name; });
    std::erase_if(scalars, [&](const auto& t) { return t.first == name; });
    std::erase_if(peakColumns, [&](const auto& t) { return t.first == name; });
  }

  void Write(const std::string& path) const {
    int ncid = -1;
    Check(nc_create(path.c_str(), NC_CLOBBER | format, &ncid));
    for (const auto& [name, value] : texts)
      Check(nc_put_att_text(ncid, NC_GLOBAL, name.c_str(), value.size(), value.data()));
    for (const auto& [name, value] : numbers)
      Check(nc_put_att_double(ncid, NC_GLOBAL, name.c_str(), NC_DOUBLE, 1, &value));
    std::vector<int> scalarIds;
    for (const auto& scalar : scalars) {
      scalarIds.push_back(-1);
      Check(nc_def_var(ncid, scalar.first.c_str(), NC_FLOAT, 0, nullptr, &scalarIds.back()));
    }
    int signalVar = -1;
    int timesVar = -1;
    if (!signals.empty()) {
      int points = -1;
      Check(nc_def_dim(ncid, "point_number", signals[0].size(), &points));
      if (signals.size() == 1) {
        Check(nc_def_var(ncid, "ordinate_values", NC_FLOAT, 1, &points, &signalVar));
      } else {
        int detectors = -1;
        Check(nc_def_dim(ncid, "detector_number", signals.size(), &detectors));
        const int dims[2] = {detectors, points};
        Check(nc_def_var(ncid, "ordinate_values", NC_FLOAT, 2, dims, &signalVar));
      }
      for (const auto& [name, value] : signalTexts)
        Check(nc_put_att_text(ncid, signalVar, name.c_str(), value.size(), value.data()));
      if (!times.empty()) Check(nc_def_var(ncid, "raw_data_retention", NC_FLOAT, 1, &points, &timesVar));
    }
    std::vector<int> columnIds;
    int namesVar = -1;
    const size_t peaks =
        !peakNames.empty() ? peakNames.size() : (peakColumns.empty() ? 0 : peakColumns[0].second.size());
    if (peaks > 0) {
      int peakDim = -1;
      int textDim = -1;
      Check(nc_def_dim(ncid, "peak_number", peaks, &peakDim));
      for (const auto& column : peakColumns) {
        columnIds.push_back(-1);
        Check(nc_def_var(ncid, column.first.c_str(), NC_FLOAT, 1, &peakDim, &columnIds.back()));
      }
      if (!peakNames.empty()) {
        Check(nc_def_dim(ncid, "_32_byte_string", 32, &textDim));
        const int dims[2] = {peakDim, textDim};
        Check(nc_def_var(ncid, "peak_name", NC_CHAR, 2, dims, &namesVar));
      }
    }
    Check(nc_enddef(ncid));
    for (size_t i = 0; i < scalars.size(); ++i) {
      const auto value = static_cast<float>(scalars[i].second);
      Check(nc_put_var_float(ncid, scalarIds[i], &value));
    }
    if (signalVar >= 0) {
      std::vector<float> all;
      for (const auto& s : signals) all.insert(all.end(), s.begin(), s.end());
      Check(nc_put_var_float(ncid, signalVar, all.data()));
    }
    if (timesVar >= 0) {
      const std::vector<float> values(times.begin(), times.end());
      Check(nc_put_var_float(ncid, timesVar, values.data()));
    }
    for (size_t c = 0; c < columnIds.size(); ++c) {
      const std::vector<float> values(peakColumns[c].second.begin(), peakColumns[c].second.end());
      Check(nc_put_var_float(ncid, columnIds[c], values.data()));
    }
    if (namesVar >= 0) {
      std::string bytes;
      for (const std::string& name : peakNames) bytes += name + std::string(32 - name.size(), namePad);
      Check(nc_put_var_text(ncid, namesVar, bytes.data()));
    }
    Check(nc_close(ncid));
  }

  static void Check(int status) {
    if (status != NC_NOERR) throw std::runtime_error(std::string("netCDF: ") + nc_strerror(status));
  }
};

// A file as a data system exports it: seconds, 0.5 s steps from a delay of 6 s, a 40-point
// signal, two peaks with blank-padded names, the passport attributes.
inline AiaTestFile TypicalAiaFile() {
  AiaTestFile f;
  f.texts = {{"dataset_completeness", "C1+C2"},  {"aia_template_revision", "1.0"},
             {"sample_name", "Diesel fuel 528"}, {"sample_id", "S-528"},
             {"operator_name", "E. Smirnova"},   {"experiment_title", "Simulated distillation"},
             {"detector_name", "FID 1"},         {"injection_date_time_stamp", "20240312095000+0300"},
             {"retention_unit", "Seconds"}};
  f.scalars = {
      {"actual_sampling_interval", 0.5}, {"actual_delay_time", 6.0}, {"actual_run_time_length", 26.0}};
  std::vector<float> signal(40);
  for (size_t i = 0; i < signal.size(); ++i) signal[i] = 100.0f + static_cast<float>(i % 7);
  f.signals = {signal};
  f.signalTexts = {{"uniform_sampling_flag", "Y"}};
  f.peakNames = {"C10", "C12"};
  f.namePad = ' ';
  f.peakColumns = {{"peak_retention_time", {9.0, 15.0}},
                   {"peak_start_time", {8.0, 14.0}},
                   {"peak_end_time", {10.5, 16.5}},
                   {"peak_height", {25.0, 30.0}},
                   {"peak_area", {120.0, 180.0}}};
  return f;
}

}  // namespace p528::test
