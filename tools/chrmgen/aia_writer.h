// AIA/ANDI chromatography export of a chromatogram: the netCDF file a data system writes for
// other programs, so that a generated set can be run from AIA input through the importer.
//
// The file (classic netCDF) holds the first channel's signal as `ordinate_values`
// (`point_number` samples, uniform sampling), `actual_delay_time`, `actual_sampling_interval`
// and `actual_run_time_length` in minutes (`retention_unit` "minutes"), the peak table
// (`peak_name`, `peak_retention_time`, `peak_start_time`, `peak_end_time`, `peak_height`,
// `peak_area` in signal x minutes), and the passport as global attributes: `sample_name`,
// `operator_name` (the field named "operator"), `company_method_name`, `experiment_title`,
// `injection_date_time_stamp` (Moscow time with its offset "+0300"), `sample_id` (the GUID).
// Times are minutes in double precision, as the system keeps them, so importing gives back
// exactly the same numbers (seconds would not survive x 60 / 60 in every last bit).
// The role ("Chrm_Type") is not part of an AIA file: the import is told it.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram_set.h"

#include <string>

namespace p528::chrmgen {

// Writes `file` as an AIA file at `path` (through a temporary file renamed into place).
// Throws std::runtime_error naming the file when it has no channel or cannot be written.
void WriteAiaFile(const ChrmFile& file, const std::string& path);

// Writes every run of a set into `folder` (which WriteSet made) as NN_<run>.cdf beside its
// NN_<run>.chrm. Throws std::runtime_error naming the file that could not be written.
void WriteAiaSet(const GeneratedSet& set, const std::string& folder);

// The AIA time stamp of `utcSeconds` in the local time of the offset: "YYYYMMDDhhmmss+hhmm".
std::string AiaTimestampText(int64_t utcSeconds, int offsetMinutes);

// The clock of the generated data system: Moscow time, UTC+3.
inline constexpr int kMoscowOffsetMinutes = 180;

}  // namespace p528::chrmgen
