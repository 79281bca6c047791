#include "host_options.h"

#include "host/kit/plugin_library.h"
#include "host/kit/profile_store.h"

#include <cstdlib>
#include <stdexcept>

namespace p528::host {

const char* const kHostUsage =
    "usage: plug528-host [--db FILE] [--data FOLDER] [--profile FILE] [--lang ru|en] [PLUGIN.so...]\n"
    "       plug528-host --help | --version\n"
    "  --db FILE        assay database (default $XDG_DATA_HOME/plug528/assays.db)\n"
    "  --data FOLDER    folder of the imported chromatograms (default $XDG_DATA_HOME/plug528/chromatograms)\n"
    "  --profile FILE   settings profile, shared with simdist (default $XDG_CONFIG_HOME/plug528/profile)\n"
    "  --lang ru|en     interface language (default: the locale)\n"
    "  --demo FOLDER    demonstration sets offered on the first start (default share/plug528/demo)\n"
    "  --script FILE    run the actions of FILE after start-up, then quit (for tests)\n"
    "  PLUGIN.so        plug-in modules to load (default: libplug528.so of the plug-in folder)\n";

HostOptions ParseHostOptions(const std::vector<std::string>& arguments) {
  HostOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    if (argument == "--version") {
      options.version = true;
      continue;
    }
    std::string* target = argument == "--db"        ? &options.database
                          : argument == "--data"    ? &options.dataFolder
                          : argument == "--profile" ? &options.profile
                          : argument == "--lang"    ? &options.language
                          : argument == "--script"  ? &options.script
                          : argument == "--demo"    ? &options.demo
                                                    : nullptr;
    if (target != nullptr) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty())
        throw std::invalid_argument("missing value for " + argument);
      *target = arguments[++i];
      continue;
    }
    if (argument.starts_with("-")) throw std::invalid_argument("unknown option " + argument);
    options.plugins.push_back(argument);
  }
  if (!options.language.empty() && options.language != "ru" && options.language != "en")
    throw std::invalid_argument("--lang takes ru or en, not " + options.language);
  return options;
}

namespace {

std::string DataHome() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') return data;
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
    return std::string(home) + "/.local/share";
  return ".";
}

}  // namespace

void ApplyDefaults(HostOptions& options, const std::string& programFolder) {
  if (options.database.empty()) options.database = DataHome() + "/plug528/assays.db";
  if (options.dataFolder.empty()) options.dataFolder = DataHome() + "/plug528/chromatograms";
  if (options.profile.empty()) options.profile = hostkit::DefaultProfilePath();
  if (options.plugins.empty()) options.plugins.push_back(hostkit::DefaultPluginPath(programFolder));
  if (options.demo.empty()) options.demo = programFolder + "/../share/plug528/demo";
}

}  // namespace p528::host
