// simdist: the command line of plug528 for batch work and laboratory information systems.
#include "batch.h"
#include "calc.h"
#include "register_commands.h"
#ifdef PLUG528_SIMDIST_QT
#include "qt/report_pictures.h"
#endif

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* kUsage =
    "usage: simdist calc [options] FILE...\n"
    "       simdist calc [options] --db DB --ids ID,ID,...\n"
    "       simdist batch [options] FILE|FOLDER...\n"
    "       simdist batch [options] --db DB --ids ID,ID,... | --day YYYY-MM-DD\n"
    "       simdist history --db DB [--sample TEXT] [--from DATE] [--to DATE] [--json OUT|--csv OUT]\n"
    "       simdist qc --db DB --instrument N [--json OUT] [--png OUT]\n"
    "       simdist --help | --version\n"
    "\n"
    "commands:\n"
    "  calc     add chromatograms, recalculate, print the summary (simdist calc --help)\n"
    "  batch    calculate a day's sequence, one set per sample (simdist batch --help)\n"
    "  history  list and export the result register (simdist history --help)\n"
    "  qc       the reference gas oil's control charts (simdist qc --help)\n";

int Run(std::vector<std::string> arguments) {
  if (arguments.empty()) {
    std::cerr << kUsage;
    return p528::simdist::ExitUsage;
  }
  const std::string command = arguments.front();
  if (command == "-h" || command == "--help" || command == "help") {
    std::cout << kUsage;
    return p528::simdist::ExitDone;
  }
  if (command == "--version") {
    std::cout << "simdist 1.2\n";
    return p528::simdist::ExitDone;
  }
  if (command == "calc") {
    arguments.erase(arguments.begin());
#ifdef PLUG528_SIMDIST_QT
    return p528::simdist::RunCalcCommand(arguments, std::cout, std::cerr, p528::simdist::MakeQtChartRenderer);
#else
    return p528::simdist::RunCalcCommand(arguments, std::cout, std::cerr);
#endif
  }
  if (command == "batch") {
    arguments.erase(arguments.begin());
#ifdef PLUG528_SIMDIST_QT
    return p528::simdist::RunBatchCommand(arguments, std::cout, std::cerr,
                                          p528::simdist::MakeQtChartRenderer);
#else
    return p528::simdist::RunBatchCommand(arguments, std::cout, std::cerr);
#endif
  }
  if (command == "history") {
    arguments.erase(arguments.begin());
    return p528::simdist::RunHistoryCommand(arguments, std::cout, std::cerr);
  }
  if (command == "qc") {
    arguments.erase(arguments.begin());
#ifdef PLUG528_SIMDIST_QT
    return p528::simdist::RunQcCommand(arguments, std::cout, std::cerr, p528::simdist::MakeQtChartRenderer);
#else
    return p528::simdist::RunQcCommand(arguments, std::cout, std::cerr);
#endif
  }
  std::cerr << "simdist: unknown command \"" << command << "\"\n" << kUsage;
  return p528::simdist::ExitUsage;
}

}  // namespace

// Whatever happens inside, the run ends with a message and a failure status, never with an
// abort that a batch system would read as a crash.
int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "simdist: failure: " << error.what() << "\n";
  } catch (...) {
    std::cerr << "simdist: failure\n";
  }
  return p528::simdist::ExitFailure;
}
