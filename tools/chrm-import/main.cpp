// chrm-import: converts AIA chromatography files and text exports of other data systems into
// chromatogram files of the system.
//
//   chrm-import FILE... --role ROLE [--out FOLDER] [--force] [--lang ru|en] [--time-unit UNIT]
//   chrm-import --help | --version
//
// FILE is an AIA file (.cdf) or a text export (.csv, .txt, .asc). Each file becomes
// FOLDER/<name>.chrm (beside the file without --out) with the role text of ROLE in its
// passport field "Chrm_Type". Exit status: 0 every file converted, 1 a file failed (the
// others are still converted), 2 usage error (nothing converted).
#include "chromatogram/chrm_role.h"
#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/chrm_output.h"
#include "host/kit/aia/conversion_worker.h"
#include "host/kit/aia/import_role.h"
#include "host/kit/aia/text_export.h"
#include "shell/shell.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace p528;

const char* const kUsage =
    "usage: chrm-import FILE... --role ROLE [--out FOLDER] [--force] [--lang ru|en] [--time-unit UNIT]\n"
    "       chrm-import --help | --version\n"
    "  FILE             an AIA file (.cdf) or a text export (.csv, .txt, .asc)\n"
    "  --role ROLE      calibration, blank, analysis, standard, reference or check\n"
    "  --out FOLDER     where the chromatogram files go (default: beside each file)\n"
    "  --force          replace chromatogram files that exist\n"
    "  --lang ru|en     language of the role text in the passport (default ru)\n"
    "  --time-unit UNIT min, s or ms: the unit of a text export's times when it names none\n"
    "exit status: 0 all converted, 1 a file failed, 2 usage error\n";

struct Options {
  std::vector<std::string> files;
  int role = RoleNone;
  std::string out;
  bool force = false;
  std::string lang = "ru";
  std::optional<aia::TimeUnit> timeUnit;  // of text exports that name none
};

int Usage(const std::string& message) {
  std::fprintf(stderr, "chrm-import: %s\n%s", message.c_str(), kUsage);
  return 2;
}

// Converts one file; returns false when it failed (the reason is on standard error).
bool Convert(const std::string& path, const Options& options, const std::string& roleText,
             const std::string& converter, std::set<std::string>& written) {
  // An AIA file is converted in a worker process: a file that crashes or hangs the conversion
  // is refused, and the files after it are still converted. A text export is read here.
  aia::AiaImportResult result = aia::IsTextExportName(path)
                                    ? aia::ImportTextExport(path, roleText, options.timeUnit)
                                    : aia::ImportAiaInWorker(converter, path, roleText);
  if (!result.ok()) {
    std::fprintf(stderr, "chrm-import: %s: %s\n", path.c_str(), result.error.c_str());
    return false;
  }
  for (const std::string& notice : result.notices)
    std::fprintf(stderr, "chrm-import: notice: %s: %s\n", path.c_str(), notice.c_str());
  const std::string target = aia::ImportedPath(path, options.out);
  std::error_code ec;
  const std::string key = std::filesystem::weakly_canonical(target, ec).string();
  if (!written.insert(ec ? target : key).second) {
    std::fprintf(stderr, "chrm-import: %s: %s was already written by this command\n", path.c_str(),
                 target.c_str());
    return false;
  }
  const std::string error = aia::WriteChrmFile(result.file, target, options.force, path);
  if (!error.empty()) {
    const bool exists = error.size() > 7 && error.compare(error.size() - 7, 7, " exists") == 0;
    std::fprintf(stderr, "chrm-import: %s: %s%s\n", path.c_str(), error.c_str(),
                 exists ? " (replace it with --force)" : "");
    return false;
  }
  // What was converted, for comparison with what the file says of itself.
  const ChrmChannel& channel = result.file.channels.front();
  const auto [low, high] = std::minmax_element(channel.samples.begin(), channel.samples.end());
  std::printf(
      "%s -> %s: %zu samples from %.9g min every %.9g min, signal %.9g to %.9g, %zu peaks, sample \"%s\"\n",
      path.c_str(), target.c_str(), channel.samples.size(), channel.startTime, channel.step,
      static_cast<double>(*low), static_cast<double>(*high), channel.peaks.size(),
      result.file.passport.sample.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("chrm-import %s\n", PLUG528_VERSION);
    return 0;
  }
  Options options;
  bool roleGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--force") {
      options.force = true;
    } else if (arg == "--role" || arg == "--out" || arg == "--lang" || arg == "--time-unit") {
      if (i + 1 >= args.size()) return Usage("missing value for " + arg);
      const std::string& value = args[++i];
      if (arg == "--role") {
        options.role = aia::RoleFromName(value);
        roleGiven = true;
        if (options.role == RoleNone) return Usage("unknown role " + value);
      } else if (arg == "--out") {
        options.out = value;
      } else if (arg == "--time-unit") {
        options.timeUnit = aia::TimeUnitFromText(value);
        if (!options.timeUnit) return Usage("unknown time unit " + value);
      } else if (value == "ru" || value == "en") {
        options.lang = value;
      } else {
        return Usage("unknown language " + value);
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else {
      options.files.push_back(arg);
    }
  }
  if (options.files.empty()) return Usage("no file given");
  if (!roleGiven) return Usage("--role is required");

  if (!options.out.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (!std::filesystem::is_directory(options.out, ec)) {
      std::fprintf(stderr, "chrm-import: cannot create the folder %s\n", options.out.c_str());
      return 1;
    }
  }
  const Shell shell = MakeShell(
      {.language = options.lang == "en" ? kLangEnglish : kLangRussian, .foreignTexts = &EnglishStrings()});
  const std::string roleText = RolePassportText(shell, options.role);

  std::error_code ec;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  std::string converter =
      aia::FindConverter(std::filesystem::path(self).parent_path().string(), PLUG528_BUILD_CONVERTER);
  if (converter.empty()) converter = aia::kConverterName;  // refused with the reason at each file

  std::set<std::string> written;
  bool allConverted = true;
  for (const std::string& file : options.files)
    allConverted = Convert(file, options, roleText, converter, written) && allConverted;
  return allConverted ? 0 : 1;
}
