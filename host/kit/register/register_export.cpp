#include "host/kit/register/register_export.h"

#include "host/kit/assay_database.h"
#include "shell/json_writer.h"

namespace p528::hostkit {

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Id(int64_t id) { return id == 0 ? std::string() : std::to_string(id); }

}  // namespace

std::string RegisterCsv(const std::vector<RegisterEntry>& entries, const std::set<int64_t>& outOfControl) {
  std::string csv =
      "entry,registered_utc,operator,instrument,method,method_name,program_version,sample,supersedes,"
      "superseded_by,report,out_of_control,runs\r\n";
  for (const RegisterEntry& entry : entries) {
    const RegisterHead& h = entry.head;
    std::string runs;
    for (const RegisteredRun& run : entry.record.runs) {
      if (!runs.empty()) runs += ' ';
      runs += (run.assayId < 0 ? std::string() : std::to_string(run.assayId)) + ":" +
              std::to_string(run.role) + ":" + run.fingerprint;
    }
    const std::string fields[] = {std::to_string(h.id),
                                  UtcDateText(h.registeredAt),
                                  CsvField(h.operatorName),
                                  std::to_string(h.instrument),
                                  std::to_string(h.method),
                                  CsvField(h.methodName),
                                  CsvField(h.programVersion),
                                  CsvField(h.sample),
                                  Id(h.supersedes),
                                  Id(h.supersededBy),
                                  h.hasReport ? "1" : "0",
                                  outOfControl.count(h.id) != 0 ? "1" : "0",
                                  CsvField(runs)};
    bool first = true;
    for (const std::string& field : fields) {
      if (!first) csv += ',';
      csv += field;
      first = false;
    }
    csv += "\r\n";
  }
  return csv;
}

std::string RegisterJson(const std::vector<RegisterEntry>& entries, const std::set<int64_t>& outOfControl) {
  JsonWriter json(2);
  json.BeginObject();
  json.Member("format", "plug528-register");
  json.Member("formatVersion", kRegisterExportVersion);
  json.Key("entries");
  json.BeginArray();
  for (const RegisterEntry& entry : entries) {
    const RegisterHead& h = entry.head;
    const ResultRegistration& r = entry.record;
    json.BeginObject();
    json.Member("entry", h.id);
    json.Member("registeredAt", h.registeredAt);
    json.Member("registeredUtc", UtcDateText(h.registeredAt));
    json.Member("operator", h.operatorName);
    json.Member("instrument", h.instrument);
    json.Member("method", h.method);
    json.Member("methodName", h.methodName);
    json.Member("programVersion", h.programVersion);
    json.Member("sample", h.sample);
    json.Member("supersedes", h.supersedes);
    json.Member("supersededBy", h.supersededBy);
    json.Member("outOfControl", outOfControl.count(h.id) != 0);
    json.Key("runs");
    json.BeginArray();
    for (const RegisteredRun& run : r.runs) {
      json.BeginObject();
      json.Member("assayId", run.assayId);
      json.Member("fileName", run.fileName);
      json.Member("role", run.role);
      json.Member("ordinal", run.ordinal);
      json.Member("sample", run.sample);
      json.Member("andate", run.andate);
      json.Member("sha256", run.fingerprint);
      json.EndObject();
    }
    json.EndArray();
    json.Key("referencePoints");
    json.BeginArray();
    for (const ReferencePointResult& point : r.referencePoints) {
      json.BeginArray();
      json.Double(point.percent);
      json.Double(point.measured);
      json.Double(point.certified);
      json.EndArray();
    }
    json.EndArray();
    json.Key("settings");
    json.Raw(r.settingsJson);
    json.Key("result");
    json.Raw(r.resultJson);
    json.Key("reportHtml");
    if (r.reportHtml.empty())
      json.Null();
    else
      json.String(r.reportHtml);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::string text = json.Take();
  text += '\n';
  return text;
}

}  // namespace p528::hostkit
