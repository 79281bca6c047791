// chrmgen: writes chromatogram sets for demonstrations, tests and benchmarks.
//
//   chrmgen list
//   chrmgen generate SCENARIO FOLDER [options]
//   chrmgen index --db FILE [--assays N] FOLDER...
//
// Exit status: 0 done, 1 failure (message on stderr), 2 usage error (an option value out of
// range among them; the message names the limit).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "aia_writer.h"
#include "chromatogram/component_table.h"
#include "chromatogram_set.h"
#include "sequence_writer.h"
#include "set_writer.h"
#include "shell/text.h"
#include "text_writer.h"

namespace {

using namespace p528;
using namespace p528::chrmgen;

const char* const kUsage =
    "usage: chrmgen list\n"
    "       chrmgen generate SCENARIO FOLDER [options]\n"
    "       chrmgen index --db FILE [--assays N] FOLDER...\n"
    "       chrmgen --help | --version\n"
    "options of generate:\n"
    "  --seed N             random seed (default 528)\n"
    "  --length MIN         run length in minutes (default 40; benchmark 60)\n"
    "  --step MIN|1/N       sampling interval in minutes, e.g. 1/600 (default; benchmark 1/3000)\n"
    "  --resolution R       C16/C18 resolution of the calibration run (default 5)\n"
    "  --noise S            detector noise, standard deviation (default 0.1)\n"
    "  --spikes N           single-sample spikes per run (default 0)\n"
    "  --tailing F          peak tailing, right/left width - 1 (default 0)\n"
    "  --solvent            a solvent peak in the blank and the sample runs\n"
    "  --analyses N         parallel analyses, and runs with internal standard (default 3)\n"
    "  --reference-lot 1|2  reference gas oil lot (default 1)\n"
    "  --end-temp C         boiling point where the analysed sample stops eluting\n"
    "  --id-base N          first assay id (default 101, 201, 301, 401 by scenario)\n"
    "  --components FILE    component table (default: the project's data/tqle528data.csv)\n"
    "  --no-db              do not write assays.db\n"
    "  --aia                also write every chromatogram as an AIA file (NN_<run>.cdf)\n"
    "  --text               also write every chromatogram as a text export (NN_<run>.txt)\n"
    "  --sequence N[xK]     write a day's sequence instead: the set's calibration, blank, check and\n"
    "                       reference, then N samples of K analyses each (default K 2)\n"
    "options of index:\n"
    "  --assays N           register the folders' runs again, a day later each round, up to N\n"
    "                       assays (a laboratory's years of assays, for benchmarks)\n";

struct UsageError {
  std::string message;
};

double Number(const std::string& option, const std::string& text) {
  const size_t slash = text.find('/');
  try {
    size_t used = 0;
    if (slash != std::string::npos) {
      const double num = std::stod(text.substr(0, slash), &used);
      if (used != slash) throw UsageError{};
      const std::string den = text.substr(slash + 1);
      const double value = num / std::stod(den, &used);
      if (used != den.size()) throw UsageError{};
      return value;
    }
    const double value = std::stod(text, &used);
    if (used != text.size()) throw UsageError{};
    return value;
  } catch (...) {
    throw UsageError{"not a number for " + option + ": " + text};
  }
}

int Integer(const std::string& option, const std::string& text) {
  const double value = Number(option, text);
  if (value != static_cast<double>(static_cast<long long>(value)) || value < 0 || value > 2e9)
    throw UsageError{"not a whole number for " + option + ": " + text};
  return static_cast<int>(value);
}

int Generate(const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError{"generate needs a scenario and a folder"};
  const std::vector<std::string> names = ScenarioNames();
  if (std::find(names.begin(), names.end(), args[0]) == names.end())
    throw UsageError{"unknown scenario " + args[0] + " (chrmgen list)"};
  GeneratorOptions options = ScenarioDefaults(args[0]);
  const std::string folder = args[1];
  std::string components = PLUG528_DEFAULT_COMPONENTS;
  bool database = true;
  bool aia = false;
  int samples = 0;
  int injections = 2;
  bool text = false;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--solvent") {
      options.solvent = true;
      continue;
    }
    if (option == "--no-db") {
      database = false;
      continue;
    }
    if (option == "--aia") {
      aia = true;
      continue;
    }
    if (option == "--text") {
      text = true;
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError{"missing value for " + option};
    const std::string& value = args[++i];
    if (option == "--seed") {
      try {
        size_t used = 0;
        options.seed = std::stoull(value, &used);
        if (used != value.size()) throw UsageError{};
      } catch (...) {
        throw UsageError{"not a seed: " + value};
      }
    } else if (option == "--length")
      options.column.runLength = Number(option, value);
    else if (option == "--step")
      options.column.step = Number(option, value);
    else if (option == "--resolution")
      options.column.resolution = Number(option, value);
    else if (option == "--noise")
      options.noise = Number(option, value);
    else if (option == "--spikes")
      options.spikes = Integer(option, value);
    else if (option == "--tailing")
      options.column.tailing = Number(option, value);
    else if (option == "--analyses")
      options.analyses = Integer(option, value);
    else if (option == "--reference-lot")
      options.referenceLot = Integer(option, value);
    else if (option == "--end-temp")
      options.endTemperature = Number(option, value);
    else if (option == "--id-base")
      options.assayIdBase = Integer(option, value);
    else if (option == "--components")
      components = value;
    else if (option == "--sequence") {
      const size_t times = value.find('x');
      samples = Integer(option, value.substr(0, times));
      if (times != std::string::npos) injections = Integer(option, value.substr(times + 1));
      if (samples < 1 || injections < 1) throw UsageError{"--sequence needs at least 1 sample of 1 analysis"};
    } else
      throw UsageError{"unknown option " + option};
  }
  if (const std::string problem = OptionsProblem(options); !problem.empty()) throw UsageError{problem};
  ComponentTable table;
  LoadComponentTable(components, table);
  if (table.empty()) {
    std::fprintf(stderr, "chrmgen: no component table in %s\n", components.c_str());
    return 1;
  }
  const GeneratedSet set = GenerateSet(options, table);
  if (samples > 0) {
    const std::vector<std::string> paths = WriteSequence(set, folder, samples, injections);
    std::printf("%s: a sequence of %zu chromatograms (%d samples) in %s\n", options.scenario.c_str(),
                paths.size(), samples, folder.c_str());
    return 0;
  }
  WriteSet(set, folder, components, database);
  if (aia) WriteAiaSet(set, folder);
  if (text) WriteTextSet(set, folder);
  std::printf("%s: %zu chromatograms of %zu samples in %s\n", options.scenario.c_str(), set.runs.size(),
              set.column->SampleCount(), folder.c_str());
  for (const GeneratedRun& run : set.runs)
    std::printf("  %-20s assay %-5d %s  %s\n", run.fileName.c_str(), run.assayId, run.roleText.c_str(),
                run.file.passport.sample.c_str());
  return 0;
}

int Index(const std::vector<std::string>& args) {
  std::string database;
  std::vector<std::string> folders;
  int assays = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--db" || args[i] == "--assays") {
      if (i + 1 >= args.size()) throw UsageError{"missing value for " + args[i]};
      if (args[i] == "--db") {
        database = args[++i];
      } else {
        assays = Integer(args[i], args[i + 1]);
        ++i;
      }
    } else {
      folders.push_back(args[i]);
    }
  }
  if (database.empty() || folders.empty()) throw UsageError{"index needs --db FILE and at least one folder"};
  const int count = IndexSets(folders, database, assays);
  std::printf("%d assays in %s\n", count, database.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.empty()) throw UsageError{""};
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "list") {
      for (const std::string& name : ScenarioNames()) std::printf("%s\n", name.c_str());
      return 0;
    }
    if (args[0] == "generate") return Generate(rest);
    if (args[0] == "index") return Index(rest);
    if (args[0] == "--help" || args[0] == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (args[0] == "--version") {
      std::printf("chrmgen %s\n", PLUG528_VERSION);
      return 0;
    }
    throw UsageError{"unknown command " + args[0]};
  } catch (const UsageError& e) {
    if (!e.message.empty()) std::fprintf(stderr, "chrmgen: %s\n", e.message.c_str());
    std::fputs(kUsage, stderr);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "chrmgen: %s\n", e.what());
    return 1;
  }
}
