// Import of AIA/ANDI chromatography files (netCDF) from any data system into the system's
// own chromatogram (`ChrmFile`). The system itself reads only its own files; this import
// converts, so everything downstream works on a file of its own format.
//
// What one AIA file becomes:
// - one channel per detector signal of `ordinate_values` (a second dimension beside
//   `point_number` holds further detectors: channels 1, 2, ...); `actual_delay_time` is the
//   start, `actual_sampling_interval` the step, both converted to minutes by
//   `retention_unit` (or `retention_units`: seconds, minutes or milliseconds; seconds when
//   not given). Sampling that is not uniform (`uniform_sampling_flag` "N" with the times in
//   `raw_data_retention`) is accepted only when the times are uniform within rounding: each
//   within a tenth of a step of the straight line through the first and the last;
// - the passport: `sample_name` -> sample, `injection_date_time_stamp` with its UTC offset ->
//   andate (else `dataset_date_time_stamp`), `operator_name` -> the field named "operator",
//   `company_method_name` -> method, `actual_run_time_length` -> duration (minutes); every
//   other global attribute with a value is kept as a passport field named "aia_<attribute>"
//   titled by the attribute's name; the role text given is the field titled "Chrm_Type";
// - the peak table of the first channel from `peak_name`, `peak_retention_time`,
//   `peak_start_time`, `peak_end_time`, `peak_height`, `peak_area` (times converted like the
//   sampling; areas from signal x seconds to signal x minutes when the unit is seconds).
//   Missing peak variables and null values (-9999) read as 0, as a missing value of the
//   system's own file does.
//
// Refused, with a clear message and nothing returned: a file that is not netCDF, a netCDF
// file that is not AIA chromatography (no `ordinate_values`), a truncated or unreadable one,
// a signal with null, infinite or unknown samples, no or a non-positive sampling interval,
// an unknown time unit, non-uniform sampling, and sizes above the bounds of aia_values.h.
//
// The file is read whole into memory (at most kMaxFileBytes) and opened there with netCDF,
// which then reports a truncated file instead of reading its missing part as zeros.
// Qt-free and without state of its own; the netCDF library is not thread-safe, so import
// from one thread at a time.
#pragma once

#include "chromatogram/chrm_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace p528::aia {

struct AiaImportResult {
  std::string error;                 // "" when imported; else why the file was refused
  std::vector<std::string> notices;  // what the user should know of an imported file
  ChrmFile file;                     // the chromatogram (passport.path empty until written)

  bool ok() const { return error.empty(); }
};

// Imports the AIA file at `path`. `roleText` becomes the passport field titled "Chrm_Type"
// (the role text of the current string table, "#анализ" ...); "" adds no role field.
AiaImportResult ImportAia(const std::string& path, const std::string& roleText);

// The same over the bytes of a whole file held in memory.
AiaImportResult ImportAiaMemory(const void* bytes, size_t count, const std::string& roleText);

// A new random GUID ("xxxxxxxx-xxxx-4xxx-...", lower case): the assay id of an imported file.
std::string NewAssayId();

// Sets the role text of an imported file: replaces the value of its "Chrm_Type" field, or
// adds the field (name "chrm_type") when it has none; "" removes the field.
void SetChrmType(ChrmFile& file, const std::string& roleText);

}  // namespace p528::aia
