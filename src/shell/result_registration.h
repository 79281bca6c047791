// One calculation result as the laboratory's result register keeps it: who made it, when, on
// which instrument, by which method and settings, with which program, from which runs, and
// the result itself (the calculation's JSON document and the report's HTML when one was
// made). The command line hands it to the register directly; the windows hand it to the
// host through the service below, which only a host that keeps a register offers.
//
// The record crosses the host table as a C++ object: the host and the plug-in are built
// with one compiler and share one C++ library in one process, as they share the window
// toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace p528 {

// "Register/AddResult": wparam 0, lparam a pointer to a ResultRegistration. The host fills
// what it knows better (the operator when the record has none, the fingerprints), keeps the
// entry in one transaction and returns its id (> 0); 0 when nothing was registered.
inline constexpr const char* kRegisterResultService = "Register/AddResult";

// One chromatogram the result was calculated from.
struct RegisteredRun {
  int64_t assayId = -1;  // the host's assay id; -1 not known
  std::string fileName;  // full path
  int role = 0;          // ChrmRole (1 calibration ... 6 check)
  int ordinal = -1;      // number of a parallel run (1..3), -1 otherwise
  std::string sample;    // the passport's sample name
  int64_t andate = 0;    // time of the analysis, seconds since 1970 UTC; 0 not known
  // SHA-256 of the file's bytes (64 hexadecimal digits); "" lets the register read the
  // file and compute it.
  std::string fingerprint;
};

// One point of the reference sample check: the reference run's measured temperature at a
// percent off and the certified one (-1 not known), °C.
struct ReferencePointResult {
  double percent = -1.0;
  double measured = -1.0;
  double certified = -1.0;
};

struct ResultRegistration {
  int64_t registeredAt = 0;  // seconds since 1970 UTC; 0: the register takes the present time
  std::string operatorName;  // "": the host's user
  int instrument = 0;        // instrument number
  int method = 0;            // CalcMethod
  std::string methodName;    // "astm-d2887-a", "gost-56720-a", ...
  std::string settingsJson;  // every setting of the calculation, one JSON object
  std::string programVersion;
  std::string sample;  // the sample the result is about
  std::vector<RegisteredRun> runs;
  std::vector<ReferencePointResult> referencePoints;  // empty: no reference check ran
  std::string resultJson;                             // the calculation's JSON document
  std::string reportHtml;                             // "" when no report was made
  int64_t supersedes = 0;                             // the entry this one corrects; 0 none
};

}  // namespace p528
