#include "workbench/result_json.h"

#include "chromatogram/chrm_role.h"
#include "shell/json_writer.h"
#include "workbench/workbench.h"

#include <map>

namespace p528 {

namespace {

constexpr int kFormatVersion = 1;

void Point(JsonWriter& json, const DistPoint& point) {
  json.BeginArray();
  json.Double(point.time);
  json.Double(point.temp);
  json.Double(point.percent);
  json.EndArray();
}

void Fraction(JsonWriter& json, const FractionRecord& f) {
  json.BeginObject();
  json.Member("name", f.name);
  json.Member("peakTime", f.peakTime);
  json.Member("unused", f.unused);
  json.Member("area", f.area);
  json.Member("massPercent", f.massPercent);
  json.Member("residuePercent", f.residuePercent);
  json.Member("correctedPercent", f.correctedPercent);
  json.Member("boundarySignal", f.boundarySignal);
  json.Member("boundaryTime", f.boundaryTime);
  json.Member("boundaryTemp", f.boundaryTemp);
  json.Member("factor", f.factor);
  json.Member("weightedArea", f.weightedArea);
  json.EndObject();
}

using PathOf = std::map<const ChrmFile*, std::string>;

void Record(JsonWriter& json, const ChrmResult& r, const PathOf& paths) {
  json.BeginObject();
  const auto path = paths.find(r.File);
  json.Member("file", path != paths.end() ? path->second : std::string());
  json.Member("number", r.Number);
  json.Member("zeroLevel", r.ZeroLevel);
  json.Member("totalArea", r.TotalArea);
  json.Member("windowArea", r.WindowArea);
  json.Member("sampleArea", r.SampleArea);
  json.Member("residue", r.Residue);
  json.Member("endTime", r.EndTime);
  json.Member("endTemp", r.EndTemp);
  json.Member("fractionTotal", r.FractionTotal);
  json.Key("ibp");
  Point(json, r.Ibp);
  json.Key("fbp");
  Point(json, r.Fbp);
  json.Key("lastPoint");
  Point(json, r.LastPoint);
  json.Key("pointTable");
  json.BeginArray();
  for (const DistPoint& point : r.PointTable) Point(json, point);
  json.EndArray();
  json.Member("namedFractionCount", r.NamedFractionCount);
  json.Member("stepFractionCount", r.StepFractionCount);
  json.Key("fractions");
  json.BeginArray();
  for (const FractionRecord& f : r.Fractions) Fraction(json, f);
  json.EndArray();
  json.EndObject();
}

void Records(JsonWriter& json, const char* name, const std::vector<ChrmResult>& records,
             const PathOf& paths) {
  json.Key(name);
  json.BeginArray();
  for (const ChrmResult& r : records) {
    if (r.File != nullptr) Record(json, r, paths);
  }
  json.EndArray();
}

void OptionalRecord(JsonWriter& json, const char* name, const ChrmResult& r, const PathOf& paths) {
  json.Key(name);
  if (r.File != nullptr) {
    Record(json, r, paths);
  } else {
    json.Null();
  }
}

void Repeat(JsonWriter& json, const RepeatRow& row) {
  json.BeginObject();
  json.Member("percent", row.percent);
  json.Member("difference", row.difference);
  json.Member("meanTemp", row.meanTemp);
  json.Member("verdict", static_cast<int>(row.verdict));
  json.Member("verdict2", static_cast<int>(row.verdict2));
  json.Member("r", row.r);
  json.Member("R", row.R);
  json.EndObject();
}

void Summary(JsonWriter& json, const FractionSummary& s) {
  json.BeginObject();
  json.Member("name", s.name);
  json.Member("mean", s.mean);
  json.Member("accuracy", s.accuracy);
  json.Member("r", s.r);
  json.Member("sigmaR", s.sigmaR);
  json.Member("criticalRange", s.criticalRange);
  json.Member("difference", s.difference);
  json.Member("verdict", static_cast<int>(s.verdict));
  json.EndObject();
}

void Texts(JsonWriter& json, const char* name, const std::vector<std::string>& texts) {
  json.Key(name);
  json.BeginArray();
  for (const std::string& text : texts) json.String(text);
  json.EndArray();
}

// A result list as the user sees it: the shown columns (hidden ones, of width 0, left out)
// with their captions, and every row's texts in those columns.
void Table(JsonWriter& json, const char* name, const TableModel& table) {
  std::vector<int> shown;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (table.Columns()[static_cast<std::size_t>(c)].width > 0) shown.push_back(c);
  }
  json.Key(name);
  json.BeginObject();
  json.Key("columns");
  json.BeginArray();
  for (int c : shown) json.String(table.Columns()[static_cast<std::size_t>(c)].caption);
  json.EndArray();
  json.Key("rows");
  json.BeginArray();
  for (int r = 0; r < table.RowCount(); ++r) {
    json.BeginArray();
    for (int c : shown) json.String(table.Cell(r, c));
    json.EndArray();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

std::string ResultJson(const Workbench& wb, int indent, const std::vector<std::string>& diagnostics) {
  const CAnalysis& a = wb.analysis();
  PathOf paths;
  for (const auto& [path, file] : wb.chrmSet()) paths[&file] = path;

  JsonWriter json(indent);
  json.BeginObject();
  json.Member("formatVersion", kFormatVersion);
  json.Member("method", static_cast<int>(a.Method));
  json.Member("state", static_cast<uint32_t>(a.State));

  json.Key("files");
  json.BeginArray();
  for (const auto& [path, file] : wb.chrmSet()) {
    json.BeginObject();
    json.Member("path", path);
    json.Member("role", file.role);
    json.Member("ordinal", file.ordinal);
    json.Member("assayId", file.assayId);
    json.Member("listText", RoleListText(wb.shell(), file));
    json.Member("sample", file.passport.sample);
    json.Member("andate", file.passport.andate);
    json.EndObject();
  }
  json.EndArray();

  json.Key("calibration");
  json.BeginObject();
  const CalibCurve& curve = wb.calibrationTab().curve;
  json.Key("times");
  json.BeginArray();
  for (double t : curve.times) json.Double(t);
  json.EndArray();
  json.Key("temps");
  json.BeginArray();
  for (double t : curve.temps) json.Double(t);
  json.EndArray();
  json.Member("resolution", wb.calibrationTab().resolution);
  json.Key("isWindow");
  json.BeginArray();
  json.Double(wb.calibrationTab().isWindow.start);
  json.Double(wb.calibrationTab().isWindow.end);
  json.EndArray();
  json.EndObject();

  OptionalRecord(json, "blank", a.Blank, paths);
  Records(json, "analyses", a.Analyses, paths);
  Records(json, "standards", a.StdRuns, paths);
  OptionalRecord(json, "reference", a.Reference, paths);

  json.Key("repeatRows");
  json.BeginArray();
  for (const RepeatRow& row : a.RepeatRows) Repeat(json, row);
  json.EndArray();
  json.Key("refRows");
  json.BeginArray();
  for (const RefCheckRow& row : a.RefRows) Repeat(json, row);
  json.EndArray();
  json.Key("iso3405Rows");
  json.BeginArray();
  for (const Iso3405Row& row : a.Iso3405Rows) {
    json.BeginObject();
    if (row.coeff != nullptr) {
      json.Member("percent", row.coeff->percent);
      json.Member("R", row.coeff->R);
    } else {
      json.Key("percent");
      json.Null();
      json.Key("R");
      json.Null();
    }
    json.Member("tsd", row.tsd);
    json.Member("tiso", row.tiso);
    json.EndObject();
  }
  json.EndArray();
  json.Key("fractionRows");
  json.BeginArray();
  for (const FractionSummary& row : a.FractionRows) Summary(json, row);
  json.EndArray();
  json.Key("residueSummary");
  Summary(json, a.ResidueSummary);
  json.Member("fractionMeanTotal", a.FractionMeanTotal);

  json.Key("messages");
  json.BeginObject();
  Texts(json, "errors", wb.messages().Errors());
  Texts(json, "warnings", wb.messages().Warnings());
  Texts(json, "information", wb.messages().Information());
  json.Member("text", wb.messages().Text());
  json.EndObject();

  json.Key("tables");
  json.BeginObject();
  Table(json, "response", wb.tables().response);
  Table(json, "repeatability", wb.tables().repeatability);
  Table(json, "fractions", wb.tables().fractions);
  Table(json, "reference", wb.tables().reference);
  Table(json, "iso3405", wb.tables().iso3405);
  json.EndObject();

  if (!diagnostics.empty()) Texts(json, "diagnostics", diagnostics);
  json.EndObject();
  std::string text = json.Take();
  text += '\n';
  return text;
}

}  // namespace p528
