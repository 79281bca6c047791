#include "batch_summary.h"

#include "notices.h"

#include "shell/json_writer.h"
#include "shell/number_text.h"
#include "shell/text.h"

#include <algorithm>
#include <set>

namespace p528::simdist {

namespace {

constexpr std::size_t kStemBytes = 80;

std::string Temperature(double value) { return value == -1.0 ? std::string() : Format("%.1f", value); }

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
  std::string out;
  for (const std::string& text : texts) out += (out.empty() ? "" : separator) + text;
  return out;
}

std::string CsvText(const std::string& text) {
  std::string value = text;
  if (!value.empty() && (value[0] == '=' || value[0] == '+' || value[0] == '-' || value[0] == '@')) {
    value.insert(0, "'");
  }
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (const char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Status(const SampleOutcome& sample) { return sample.done ? "done" : "failed"; }

std::string Repeatability(const SampleOutcome& sample) {
  if (sample.repeatabilityJudged == 0) return "not judged";
  if (sample.repeatabilityExceeded == 0) return "within";
  return Format("exceeded at %d of %d", sample.repeatabilityExceeded, sample.repeatabilityJudged);
}

}  // namespace

std::string SummaryText(const std::vector<SampleOutcome>& samples) {
  std::string out;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const SampleOutcome& s = samples[i];
    out += Format("%3zu  ", i + 1) + ForTerminal(s.sample) + "\n";
    out += "     runs: " + ForTerminal(Joined(s.runs, ", ")) + "\n";
    out += "     IBP " + (s.ibp == -1.0 ? "---" : Temperature(s.ibp)) + " °C, FBP " +
           (s.fbp == -1.0 ? "---" : Temperature(s.fbp)) + " °C; repeatability " + Repeatability(s) +
           Format("; messages: %d errors, %d warnings, %d information", s.errors, s.warnings, s.information) +
           "\n";
    for (const std::string& note : s.notes) out += "     note: " + ForTerminal(note) + "\n";
    out += "     " + (s.done ? std::string("done") : "FAILED: " + ForTerminal(s.failure)) +
           (s.registerEntry > 0 ? "; registered as entry " + std::to_string(s.registerEntry) : "") + "\n";
  }
  return out;
}

std::string SummaryCsv(const std::vector<SampleOutcome>& samples, bool registering) {
  std::set<double> percents;
  for (const SampleOutcome& sample : samples) {
    for (const auto& point : sample.points) percents.insert(point.first);
  }
  std::string out =
      "sample,status,failure,method,state,runs,ibp,fbp,repeatability_judged,repeatability_exceeded,"
      "errors,warnings,information,notes";
  for (const double percent : percents) out += "," + CsvText(Format("T %g %%", percent));
  if (registering) out += ",register_entry";
  out += "\r\n";
  for (const SampleOutcome& s : samples) {
    out += CsvText(s.sample) + "," + Status(s) + "," + CsvText(s.failure) + "," + std::to_string(s.method) +
           "," + std::to_string(s.state) + "," + CsvText(Joined(s.runs, "; ")) + "," + Temperature(s.ibp) +
           "," + Temperature(s.fbp) + "," + std::to_string(s.repeatabilityJudged) + "," +
           std::to_string(s.repeatabilityExceeded) + "," + std::to_string(s.errors) + "," +
           std::to_string(s.warnings) + "," + std::to_string(s.information) + "," +
           CsvText(Joined(s.notes, "; "));
    for (const double percent : percents) {
      const auto point = std::find_if(s.points.begin(), s.points.end(),
                                      [percent](const auto& p) { return p.first == percent; });
      out += "," + (point == s.points.end() ? std::string() : Temperature(point->second));
    }
    if (registering) out += "," + (s.registerEntry > 0 ? std::to_string(s.registerEntry) : std::string());
    out += "\r\n";
  }
  return out;
}

std::string SummaryJson(const std::vector<SampleOutcome>& samples, const std::vector<LeftOutRun>& leftOut) {
  JsonWriter json(2);
  json.BeginObject();
  json.Member("formatVersion", 1);
  json.Key("samples");
  json.BeginArray();
  for (const SampleOutcome& s : samples) {
    json.BeginObject();
    json.Member("sample", s.sample);
    json.Member("status", Status(s));
    if (!s.done) json.Member("failure", s.failure);
    json.Key("runs");
    json.BeginArray();
    for (const std::string& run : s.runs) json.String(run);
    json.EndArray();
    json.Member("method", s.method);
    json.Member("state", s.state);
    json.Member("ibp", s.ibp);
    json.Member("fbp", s.fbp);
    json.Key("points");
    json.BeginArray();
    for (const auto& [percent, temp] : s.points) {
      json.BeginObject();
      json.Member("percent", percent);
      json.Member("temp", temp);
      json.EndObject();
    }
    json.EndArray();
    json.Key("repeatability");
    json.BeginObject();
    json.Member("judged", s.repeatabilityJudged);
    json.Member("exceeded", s.repeatabilityExceeded);
    json.EndObject();
    json.Key("messages");
    json.BeginObject();
    json.Member("errors", s.errors);
    json.Member("warnings", s.warnings);
    json.Member("information", s.information);
    json.EndObject();
    json.Key("notes");
    json.BeginArray();
    for (const std::string& note : s.notes) json.String(note);
    json.EndArray();
    if (!s.jsonPath.empty()) json.Member("json", s.jsonPath);
    if (!s.reportPath.empty()) json.Member("report", s.reportPath);
    if (s.registerEntry > 0) json.Member("registerEntry", s.registerEntry);
    json.EndObject();
  }
  json.EndArray();
  json.Key("leftOut");
  json.BeginArray();
  for (const LeftOutRun& run : leftOut) {
    json.BeginObject();
    json.Member("path", run.path);
    json.Member("assayId", run.assayId);
    json.Member("reason", run.reason);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Take() + "\n";
}

std::string SampleFileStem(std::size_t index, std::size_t count, const std::string& sample) {
  const int digits = std::max(3, static_cast<int>(std::to_string(count).size()));
  std::string name;
  for (std::size_t i = 0; i < sample.size() && name.size() < kStemBytes;) {
    const std::size_t length = ValidUtf8Length(sample, i);
    const auto c = static_cast<unsigned char>(sample[i]);
    if (length == 0) {
      name += '_';  // a byte that is no UTF-8
      ++i;
      continue;
    }
    if (name.size() + length > kStemBytes) break;
    const bool refused = c < 0x20 || c == 0x7F ||
                         std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
    const bool c1 = c == 0xC2 && length == 2 && static_cast<unsigned char>(sample[i + 1]) < 0xA0;
    name += refused || c1 ? std::string("_") : sample.substr(i, length);
    i += length;
  }
  const std::size_t start = name.find_first_not_of(". ");
  name = start == std::string::npos ? std::string() : name.substr(start);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) name = "sample";
  return Format("%0*zu_", digits, index + 1) + name;
}

}  // namespace p528::simdist
