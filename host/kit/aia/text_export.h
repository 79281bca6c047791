// Import of chromatograms that a data system exported as text (".csv", ".txt", ".asc") into
// the system's own chromatogram (`ChrmFile`), the same way as AIA files (aia_import.h).
//
// What such a file holds: a header of a few lines, then the signal as two columns of
// numbers, the time and the detector signal, one sample a line, to the end of the file.
// - Columns are separated by a tab, a semicolon, a comma or blanks; numbers have a decimal
//   point or a decimal comma (a comma cannot be both): the layout is the one every line of
//   the signal fits. Fields may be quoted; an empty last field is passed over.
// - The unit of the times: from the caption of the time column ("Time (min)", "R.Time [s]",
//   "Время, мин"), else from a header line "Time unit: seconds", else the unit the user
//   names (`timeUnit`); none of them: refused, asking for it. Texts as time_unit.h reads them.
// - The sampling must be even within the rounding of the times (even_sampling.h); a header
//   line "Interval (ms): 500" ("Sampling interval", "Step", "Шаг"), when present, gives the
//   step exactly and is checked against the times.
// - Header lines "key: value" (or "key<tab>value", "key=value") give the passport:
//   "Sample"/"Sample name"/"Образец" -> sample, "Injection time"/"Acquired"/"Date"/"Дата
//   анализа" -> andate (the stamp forms of aia_date.h), "Operator"/"Оператор" -> the field
//   "operator", "Method"/"Метод" -> method. Without a sample name the file's name is taken.
// - A peak table in the header: a caption line naming its columns ("Name", "Time", "Start",
//   "End", "Height", "Area", in any case, units in brackets; "Имя", "Время", ...), one row
//   per peak beneath it, ended by a blank line or any other line. Times in its unit or the
//   file's; areas in signal x the file's time unit.
// The text is UTF-8 (with or without its byte-order mark), UTF-16 with its byte-order mark,
// or Windows-1251. Refused with the reason in words: no two columns of numbers at the end
// of the file, a line of the signal that is not two numbers, an unknown time unit, uneven
// sampling, a signal beyond single precision, more samples or peaks than aia_values.h allows.
#pragma once

#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/time_unit.h"

#include <optional>
#include <string>
#include <string_view>

namespace p528::aia {

// Largest text export accepted (bytes).
inline constexpr size_t kMaxTextExportBytes = size_t{64} << 20;

// Imports the text export at `path`; `roleText` as ImportAia. `timeUnit` is the unit of the
// times when the file names none (asked of the user; std::nullopt: such a file is refused).
AiaImportResult ImportTextExport(const std::string& path, const std::string& roleText,
                                 std::optional<TimeUnit> timeUnit);

// The same over the bytes of a whole file; `fileName` gives the sample when the header
// names none ("" leaves it empty).
AiaImportResult ImportTextExportMemory(std::string_view bytes, const std::string& roleText,
                                       std::optional<TimeUnit> timeUnit, const std::string& fileName = "");

// True for the extensions of text exports: ".csv", ".txt", ".asc" (any letter case).
bool IsTextExportName(const std::string& path);

// True when the file at `path` ends as a text export does: its last line that is not blank
// is two numbers. A quick look (the last 4 KiB) for telling exports among the other text
// files of a folder (notes, tables); the import itself reads the whole file.
bool LooksLikeTextExport(const std::string& path);

}  // namespace p528::aia
