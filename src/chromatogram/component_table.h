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

// Raised when the component table cannot be written; the table in memory is unchanged.
class ComponentTableSaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Folder of the module + "tqle528data.csv".
std::string ComponentDataPath(const std::string& moduleFolder);
// Replaces `table` by the records of the file (a missing file gives an empty table).
void LoadComponentTable(const std::string& path, ComponentTable& table);
// Writes `table` over an existing file (never creates it). Throws ComponentTableSaveError.
void SaveComponentTable(const std::string& path, const ComponentTable& table);

}  // namespace p528
