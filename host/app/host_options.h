// The desktop host's command line:
//
//   plug528-host [--db FILE] [--data FOLDER] [--profile FILE] [--lang ru|en]
//                [--demo FOLDER] [--script FILE] [PLUGIN.so...]
//
// Defaults: the assay database $XDG_DATA_HOME/plug528/assays.db and the data folder
// $XDG_DATA_HOME/plug528/chromatograms (~/.local/share when the variable is unset), the
// profile shared with simdist ($XDG_CONFIG_HOME/plug528/profile), the language of the
// locale, the plug-in of the installed plug-in folder or the one beside the program, and the
// demonstration sets of the installation (share/plug528/demo beside bin/).
// --script runs a file of actions after start-up and quits (tests and pictures; see
// script_runner.h); it is not meant for daily work.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace p528::host {

struct HostOptions {
  std::string database;
  std::string dataFolder;
  std::string profile;
  std::string language;  // "ru", "en" or "" (the locale)
  std::string script;
  std::string demo;  // the demonstration sets offered on the first start
  std::vector<std::string> plugins;
  bool help = false;
  bool version = false;
};

// Parses the arguments (without the program name). Throws std::invalid_argument with the
// message for the user on a bad option.
HostOptions ParseHostOptions(const std::vector<std::string>& arguments);
// Fills the defaults left empty; `programFolder` is where the program lies.
void ApplyDefaults(HostOptions& options, const std::string& programFolder);

extern const char* const kHostUsage;

}  // namespace p528::host
