#include "register_commands.h"

#include "calc.h"
#include "notices.h"
#include "options.h"
#include "output_guard.h"

#include "host/kit/assay_database.h"
#include "host/kit/register/control_chart_plot.h"
#include "host/kit/register/reference_control.h"
#include "host/kit/register/register_export.h"
#include "host/kit/register/result_register.h"
#include "host/kit/register/utc_day.h"
#include "shell/atomic_file.h"
#include "shell/database.h"
#include "shell/number_text.h"
#include "shell/text.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>

namespace p528::simdist {

namespace {

using hostkit::ResultRegister;

// Options of a register command: name -> value; flags are not used by these commands.
struct ParsedOptions {
  std::map<std::string, std::string> values;
};

bool ParseOptions(const std::vector<std::string>& arguments, const std::vector<std::string>& known,
                  ParsedOptions& parsed, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::string value;
    const std::size_t equals = name.find('=');
    bool hasValue = false;
    if (name.starts_with("--") && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      hasValue = true;
    }
    bool isKnown = false;
    for (const std::string& option : known) isKnown = isKnown || option == name;
    if (!isKnown) {
      error = name.starts_with("-") ? "unknown option " + name : "unexpected argument \"" + name + "\"";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= arguments.size() || arguments[i + 1].starts_with("--")) {
        error = name + " needs a value";
        return false;
      }
      value = arguments[++i];
    }
    parsed.values[name] = value;
  }
  return true;
}

std::optional<std::string> Value(const ParsedOptions& parsed, const std::string& name) {
  const auto found = parsed.values.find(name);
  if (found == parsed.values.end()) return std::nullopt;
  return found->second;
}

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

// An existing register, opened without changing it; nullptr with the reason printed.
std::unique_ptr<ResultRegister> OpenRegister(const std::string& command, const std::optional<std::string>& db,
                                             std::ostream& err) {
  std::error_code ec;
  if (!db) {
    err << "simdist " << command << ": --db DB is needed\n";
    return nullptr;
  }
  if (!std::filesystem::is_regular_file(*db, ec)) {
    err << "simdist " << command << ": --db: " << *db << " is not a database file\n";
    return nullptr;
  }
  try {
    return std::make_unique<ResultRegister>(*db, hostkit::RegisterAccess::ReadOnly);
  } catch (const DataBase::SqlException& error) {
    err << "simdist " << command << ": cannot open " << *db << ": " << error.what() << "\n";
    return nullptr;
  }
}

bool WriteOutput(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err) {
  if (path == "-") {
    out << text;
    return true;
  }
  std::string error;
  if (WriteFileAtomically(path, text, error)) return true;
  err << "simdist: cannot write " << path << ": " << error << "\n";
  return false;
}

std::string HistoryLine(const hostkit::RegisterHead& h, bool outOfControl) {
  std::string marks;
  if (h.supersedes != 0) marks += " corrects #" + std::to_string(h.supersedes);
  if (h.supersededBy != 0) marks += " superseded by #" + std::to_string(h.supersededBy);
  if (outOfControl) marks += " OUT OF CONTROL";
  if (h.hasReport) marks += " report";
  return Format("#%-6lld %s  instrument %-3d %-14s %s (%s)%s\n", static_cast<long long>(h.id),
                hostkit::UtcDateText(h.registeredAt).c_str(), h.instrument, h.methodName.c_str(),
                ForTerminal(h.sample).c_str(), ForTerminal(h.operatorName).c_str(), marks.c_str());
}

const char* kHistoryUsage =
    "usage: simdist history --db DB [--sample TEXT] [--from DATE] [--to DATE] [--instrument N]\n"
    "                       [--method N|NAME] [--json OUT|--csv OUT]\n"
    "Lists the register's entries (dates YYYY-MM-DD, UTC, --to including its day); --json and --csv\n"
    "export them (\"-\": standard output).\n";

const char* kQcUsage =
    "usage: simdist qc --db DB --instrument N [--baseline FIRST:COUNT] [--percent P] [--json OUT]\n"
    "                  [--png OUT] [--mr-png OUT]\n"
    "The reference gas oil's control charts of one instrument: individual values and moving ranges\n"
    "per percent point, centre line and limits from the baseline (default 1:20), run rules.\n"
    "--png and --mr-png draw the chart of --percent (default 50).\n";

// The outputs named may be written: never the database read, never a chromatogram, only
// regular files (CheckOutputs); "-" is standard output.
bool OutputsAllowed(const std::string& command, const ParsedOptions& parsed,
                    const std::vector<std::string>& names, std::ostream& err) {
  std::vector<NamedPath> outputs;
  for (const std::string& name : names) {
    if (const auto path = Value(parsed, name); path && *path != "-") outputs.push_back({name, *path});
  }
  std::vector<NamedPath> inputs;
  if (const auto db = Value(parsed, "--db")) inputs.push_back({"the database", *db});
  std::string error;
  if (CheckOutputs(outputs, inputs, error)) return true;
  err << "simdist " << command << ": " << error << "\n";
  return false;
}

bool WantsHelp(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") return true;
  }
  return false;
}

}  // namespace

int RunHistoryCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (WantsHelp(arguments)) {
    out << kHistoryUsage;
    return ExitDone;
  }
  ParsedOptions parsed;
  std::string error;
  if (!ParseOptions(arguments,
                    {"--db", "--sample", "--from", "--to", "--instrument", "--method", "--json", "--csv"},
                    parsed, error)) {
    err << "simdist history: " << error << "\n" << kHistoryUsage;
    return ExitUsage;
  }
  hostkit::HistoryFilter filter;
  filter.sample = Value(parsed, "--sample").value_or("");
  int64_t seconds = 0;
  if (const auto from = Value(parsed, "--from")) {
    if (!hostkit::ParseUtcDay(*from, seconds)) {
      err << "simdist history: --from: \"" << *from << "\" is not a date (YYYY-MM-DD)\n";
      return ExitUsage;
    }
    filter.from = seconds;
  }
  if (const auto to = Value(parsed, "--to")) {
    if (!hostkit::ParseUtcDay(*to, seconds)) {
      err << "simdist history: --to: \"" << *to << "\" is not a date (YYYY-MM-DD)\n";
      return ExitUsage;
    }
    filter.before = seconds + hostkit::kSecondsPerDay;
  }
  int number = 0;
  if (const auto instrument = Value(parsed, "--instrument")) {
    if (!ParseInt(*instrument, number)) {
      err << "simdist history: --instrument: \"" << *instrument << "\" is not a whole number\n";
      return ExitUsage;
    }
    filter.instrument = number;
  }
  if (const auto method = Value(parsed, "--method")) {
    std::string normal;
    if (!CheckMethodName(*method, normal, error)) {
      err << "simdist history: --method: " << error << "\n";
      return ExitUsage;
    }
    filter.method = std::stoi(normal);
  }
  const auto json = Value(parsed, "--json");
  const auto csv = Value(parsed, "--csv");
  if (json && csv) {
    err << "simdist history: give --json or --csv, not both\n";
    return ExitUsage;
  }
  if (!OutputsAllowed("history", parsed, {"--json", "--csv"}, err)) return ExitUsage;
  const std::unique_ptr<ResultRegister> store = OpenRegister("history", Value(parsed, "--db"), err);
  if (!store) return ExitUsage;

  try {
    const std::vector<hostkit::RegisterHead> heads = store->History(filter);
    const std::set<int64_t> outOfControl = hostkit::EntriesOutOfControl(*store, heads);
    if (!json && !csv) {
      for (const hostkit::RegisterHead& head : heads)
        out << HistoryLine(head, outOfControl.count(head.id) != 0);
      return ExitDone;
    }
    std::vector<hostkit::RegisterEntry> entries;
    for (const hostkit::RegisterHead& head : heads) {
      if (std::optional<hostkit::RegisterEntry> entry = store->Entry(head.id))
        entries.push_back(std::move(*entry));
    }
    const std::string text =
        json ? hostkit::RegisterJson(entries, outOfControl) : hostkit::RegisterCsv(entries, outOfControl);
    return WriteOutput(json ? *json : *csv, text, out, err) ? ExitDone : ExitFailure;
  } catch (const DataBase::SqlException& failure) {
    err << "simdist history: " << failure.what() << "\n";
    return ExitFailure;
  }
}

int RunQcCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 ChartRendererFactory pictures) {
  if (WantsHelp(arguments)) {
    out << kQcUsage;
    return ExitDone;
  }
  ParsedOptions parsed;
  std::string error;
  if (!ParseOptions(arguments,
                    {"--db", "--instrument", "--baseline", "--percent", "--json", "--png", "--mr-png"},
                    parsed, error)) {
    err << "simdist qc: " << error << "\n" << kQcUsage;
    return ExitUsage;
  }
  int instrument = 0;
  const auto instrumentText = Value(parsed, "--instrument");
  if (!instrumentText || !ParseInt(*instrumentText, instrument)) {
    err << "simdist qc: --instrument N (a whole number) is needed\n";
    return ExitUsage;
  }
  hostkit::ControlBaseline baseline;
  if (const auto text = Value(parsed, "--baseline")) {
    int first = 0, count = 0;
    const std::size_t colon = text->find(':');
    if (colon == std::string::npos || !ParseInt(text->substr(0, colon), first) ||
        !ParseInt(text->substr(colon + 1), count) || first < 1 || count < 2) {
      err << "simdist qc: --baseline: \"" << *text << "\" is not FIRST:COUNT (from 1, at least 2 results)\n";
      return ExitUsage;
    }
    baseline = {static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count)};
  }
  double percent = 50.0;
  if (const auto text = Value(parsed, "--percent")) {
    char* end = nullptr;
    percent = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0') {
      err << "simdist qc: --percent: \"" << *text << "\" is not a number\n";
      return ExitUsage;
    }
  }
  if (!OutputsAllowed("qc", parsed, {"--json", "--png", "--mr-png"}, err)) return ExitUsage;
  const std::unique_ptr<ResultRegister> store = OpenRegister("qc", Value(parsed, "--db"), err);
  if (!store) return ExitUsage;

  hostkit::InstrumentControlCharts charts;
  try {
    charts = hostkit::ReferenceControlCharts(instrument, store->ReferenceResults(instrument), baseline);
  } catch (const DataBase::SqlException& failure) {
    err << "simdist qc: " << failure.what() << "\n";
    return ExitFailure;
  }
  if (charts.charts.empty()) {
    err << "simdist qc: instrument " << instrument << " has no reference gas oil results in the register\n";
    return ExitIncomplete;
  }
  const auto json = Value(parsed, "--json");
  if (json != std::optional<std::string>("-")) {
    for (const hostkit::PercentControlChart& chart : charts.charts) {
      const hostkit::ControlSeries& s = chart.series;
      std::size_t flagged = 0;
      for (const hostkit::ControlPoint& point : s.points) flagged += point.flags != 0 ? 1 : 0;
      if (s.hasLimits) {
        out << Format(
            "%5.1f %%  results %3zu  centre %8.2f  limits %8.2f .. %8.2f  MR %6.2f (limit %6.2f)  "
            "flagged %zu%s\n",
            chart.percent, s.points.size(), s.limits.centre, s.limits.lower, s.limits.upper,
            s.limits.movingRangeMean, s.limits.movingRangeUpper, flagged,
            s.limits.provisional ? "  provisional" : "");
      } else {
        out << Format("%5.1f %%  results %3zu  too few results for limits\n", chart.percent, s.points.size());
      }
    }
  }
  int status = ExitDone;
  if (json && !WriteOutput(*json, hostkit::ControlChartsJson(charts), out, err)) status = ExitFailure;

  const auto png = Value(parsed, "--png");
  const auto mrPng = Value(parsed, "--mr-png");
  if (png || mrPng) {
    const hostkit::PercentControlChart* chosen = nullptr;
    for (const hostkit::PercentControlChart& chart : charts.charts) {
      if (chart.percent == percent) chosen = &chart;
    }
    std::unique_ptr<ChartPngRenderer> renderer = pictures != nullptr ? pictures() : nullptr;
    if (chosen == nullptr) {
      err << "simdist qc: no results at " << Format("%.1f", percent) << " %\n";
      return ExitFailure;
    }
    if (!renderer) {
      err << "simdist qc: this simdist draws no charts (built without Qt)\n";
      return ExitFailure;
    }
    const std::string xCaption = "Result (instrument " + std::to_string(instrument) + ")";
    const std::pair<const std::optional<std::string>*, hostkit::ControlPlotKind> pictureKinds[] = {
        {&png, hostkit::ControlPlotKind::Individuals}, {&mrPng, hostkit::ControlPlotKind::MovingRanges}};
    for (const auto& [path, kind] : pictureKinds) {
      if (!*path) continue;
      hostkit::ControlChartPlot plot;
      const std::string what =
          kind == hostkit::ControlPlotKind::Individuals ? "Temperature at " : "Moving range at ";
      plot.Show(chosen->series, kind, xCaption, what + Format("%.1f", percent) + " %, °C");
      std::vector<unsigned char> bytes;
      if (!renderer->RenderPng(plot.picture(), kReportChartWidth, kReportChartHeight, bytes)) {
        err << "simdist qc: the chart could not be drawn\n";
        return ExitFailure;
      }
      if (!WriteOutput(**path, std::string(bytes.begin(), bytes.end()), out, err)) status = ExitFailure;
    }
  }
  return status;
}

}  // namespace p528::simdist
