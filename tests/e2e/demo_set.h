// A generated chromatogram set written to a temporary folder, with its assay database, for
// the end-to-end tests: the same seed gives the same files in every run.
#pragma once

#include "chromatogram_set.h"
#include "set_writer.h"
#include "support/fake_host.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace p528::test {

// The simdist option of an analysis setting typed in (settings key of the dialogs, value),
// appended to `options`; nothing for a key simdist has no option for or an empty value.
inline void AddSettingOption(std::vector<std::string>& options, const std::string& key,
                             const std::string& value) {
  // Settings key of the dialogs -> option of simdist.
  static const std::map<std::string, std::string> kOption = {
      {"method", "--method"},
      {"TimeStartSample", "--time-start"},
      {"start_mark", "--start-mark"},
      {"step_mark", "--step-mark"},
      {"StepPercent", "--step-percent"},
      {"SampleMass", "--sample-mass"},
      {"StdMass", "--std-mass"},
      {"H2SPercent", "--h2s"},
      {"MercaptanPercent", "--mercaptan"},
      {"WaterPercent", "--water"},
      {"type_ref_gasoil", "--reference"},
      {"time_C1", "--c1"},
      {"time_C2", "--c2"},
      {"time_C3", "--c3"},
      {"time_C4", "--c4"},
  };
  const auto option = kOption.find(key);
  if (option == kOption.end() || value.empty()) return;
  options.push_back(option->second);
  options.push_back(value);
}

struct WrittenSet {
  std::string folder;
  std::string database;
  std::vector<std::string> files;  // full paths, in set order
  std::vector<int> ids;            // assay ids, in the same order
  // Settings the scenario wants typed, as simdist options ("--method", "0", ...).
  std::vector<std::string> settingOptions;
};

// The settings a generated set wants typed, as simdist options ("--method", "0", ...).
inline std::vector<std::string> SettingOptions(const chrmgen::GeneratedSet& set) {
  std::vector<std::string> options;
  for (const auto& [key, value] : set.settings) AddSettingOption(options, key, value);
  return options;
}

// The generated set of `scenario` (the project's component table).
inline chrmgen::GeneratedSet GenerateScenario(const std::string& scenario) {
  ComponentTable components;
  LoadComponentTable(std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv", components);
  return chrmgen::GenerateSet(chrmgen::ScenarioDefaults(scenario), components);
}

inline WrittenSet WriteScenario(const std::string& scenario, const std::string& folder) {
  const std::string componentFile = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";
  const chrmgen::GeneratedSet set = GenerateScenario(scenario);
  std::filesystem::remove_all(folder);
  chrmgen::WriteSet(set, folder, componentFile, true);

  WrittenSet written;
  written.folder = folder;
  written.database = folder + "/assays.db";
  for (const chrmgen::AssayRow& row : set.Assays(folder)) {
    written.files.push_back(row.filename);
    written.ids.push_back(row.id);
  }
  written.settingOptions = SettingOptions(set);
  return written;
}

// The generated gasoil set, written once per test program into a folder removed at its end;
// the tests read it and never write into it.
inline const WrittenSet& DemoSet() {
  static const TempFolder folder;
  static const WrittenSet set = WriteScenario("gasoil", folder / "gasoil");
  return set;
}

// The scenario's settings as a user left them in the profile.
inline void StoreDemoSettings(FakeHost& host, const WrittenSet& set) {
  static const std::map<std::string, std::string> kKeyOf = {{"--method", "method"},
                                                            {"--reference", "type_ref_gasoil"},
                                                            {"--time-start", "TimeStartSample"},
                                                            {"--start-mark", "start_mark"},
                                                            {"--step-mark", "step_mark"},
                                                            {"--c1", "time_C1"},
                                                            {"--c2", "time_C2"},
                                                            {"--c3", "time_C3"},
                                                            {"--c4", "time_C4"}};
  for (std::size_t i = 0; i + 1 < set.settingOptions.size(); i += 2) {
    const auto key = kKeyOf.find(set.settingOptions[i]);
    if (key == kKeyOf.end()) continue;
    const std::string path = "plugins\\plug528\\settings\\" + key->second;
    const std::string& value = set.settingOptions[i + 1];
    if (key->second == "method" || key->second == "type_ref_gasoil") {
      host.SetProfileInt(path, std::stoi(value));
    } else {
      host.SetProfileText(path, value);
    }
  }
}

}  // namespace p528::test
