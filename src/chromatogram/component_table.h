// The component table: the compounds the calibration recognises by peak name, with their
// boiling points, mass response factors and check-mixture masses. Stored beside the module
// as "tqle528data.csv" (Windows-1251, ";"-separated, CR LF).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace p528 {

struct ComponentRecord {
  int id = 0;                 // 1..52 built-in rows, 53 and up user rows
  std::string name;           // spelled with Cyrillic "С"/"с"
  std::string altName;        // alternative name, Cyrillic letters
  std::string nameLatin;      // spelled with Latin "C"/"c"
  std::string altNameLatin;   // alternative name, Latin letters
  double responseFactor = 0;  // mass response coefficient
  double mixtureMass = 0;     // mass in the calibration (check) mixture, mg
  double boilingPoint = 0;    // °C
  double retentionTime = 0;   // minutes; filled by a calculation, never stored
  double peakWidth = 0;       // minutes; filled by the calibration, never stored
};

using ComponentTable = std::vector<ComponentRecord>;

// Raised when the component table cannot be written; the table in memory is unchanged and
// the file keeps its previous content. what() names the file or the component and the cause.
class ComponentTableSaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Folder of the module + "tqle528data.csv".
std::string ComponentDataPath(const std::string& moduleFolder);
// Replaces `table` by the records of the file (a missing file, or a path that is not a
// regular file, gives an empty table). Lines end with CR LF, LF or a lone CR; fields are
// split at ";" (at most 8), decoded from Windows-1251, or taken as UTF-8 when the file
// begins with the UTF-8 byte-order mark or is well-formed UTF-8 with non-ASCII letters;
// numbers are read by the decimal-prefix rule (non-numeric gives 0); `name`/`altName` get
// Cyrillic "С"/"с", `nameLatin`/`altNameLatin` Latin "C"/"c".
void LoadComponentTable(const std::string& path, ComponentTable& table);
// Writes `table` over an existing regular file (never creates it): one CR LF line per
// record, in the encoding the file has now (Windows-1251, or UTF-8 with its byte-order mark
// when it had one), fields "%i", the four names, "%.1f" boiling point, "%.3f" response
// factor, "%.3f" mass. The file is replaced atomically (shell/atomic_file.h). Throws
// ComponentTableSaveError when the file is missing or cannot be written, or when a
// Windows-1251 file would get a name holding a character that code page cannot represent
// (then nothing is written).
void SaveComponentTable(const std::string& path, const ComponentTable& table);

}  // namespace p528
