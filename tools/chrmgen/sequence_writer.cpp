#include "sequence_writer.h"

#include "chromatogram/chrm_role.h"
#include "shell/number_text.h"

#include <filesystem>
#include <stdexcept>

namespace p528::chrmgen {

namespace {

constexpr int64_t kCoolingSeconds = 600;

std::string SequenceGuid(int number) { return Format("5e9de4ce-0000-4000-8000-%012d", number); }

}  // namespace

std::vector<std::string> WriteSequence(const GeneratedSet& set, const std::string& folder, int samples,
                                       int injections) {
  std::vector<const GeneratedRun*> paired;
  std::vector<const GeneratedRun*> analyses;
  for (const int role : {RoleCalibration, RoleBlank, RoleCheck, RoleReference}) {
    for (const GeneratedRun& run : set.runs) {
      if (run.role == role) paired.push_back(&run);
    }
  }
  for (const GeneratedRun& run : set.runs) {
    if (run.role == RoleAnalysis) analyses.push_back(&run);
  }
  if (paired.size() < 2 || analyses.empty())
    throw std::invalid_argument("the set has no calibration, blank or analysis");

  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder)) throw std::runtime_error("cannot create folder " + folder);
  const int64_t runSeconds = static_cast<int64_t>(set.column->Settings().runLength * 60) + kCoolingSeconds;
  int64_t andate = paired.front()->file.passport.andate;
  int number = 0;
  std::vector<std::string> paths;
  const auto write = [&](const GeneratedRun& run, const std::string& sample, const std::string& name) {
    ChrmFile copy = run.file;
    ++number;
    copy.passport.sample = sample;
    copy.passport.andate = andate;
    copy.passport.date = andate + static_cast<int64_t>(set.column->Settings().runLength * 60);
    copy.passport.assayid = SequenceGuid(number);
    andate += runSeconds;
    const std::string path =
        (std::filesystem::absolute(folder) / Format("%03d_%s.chrm", number, name.c_str())).string();
    if (copy.SaveToFile(path) != 0) throw std::runtime_error("cannot write " + path);
    paths.push_back(path);
  };
  for (const GeneratedRun* run : paired) {
    write(*run, run->file.passport.sample, run->fileName.substr(3, run->fileName.size() - 8));
  }
  std::size_t next = 0;
  for (int sample = 1; sample <= samples; ++sample) {
    for (int injection = 1; injection <= injections; ++injection) {
      write(*analyses[next++ % analyses.size()], Format("Проба %d", sample),
            Format("sample_%d_%d", sample, injection));
    }
  }
  return paths;
}

}  // namespace p528::chrmgen
