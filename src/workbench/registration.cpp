#include "workbench/registration.h"

#include "engine/reference_check.h"
#include "shell/json_writer.h"
#include "workbench/custom_reference.h"
#include "workbench/workbench.h"

namespace p528 {

namespace {

// The analysis settings as the engine used them (texts as typed, numbers as stored), the
// calibration tab's C1-C4 times and the reference gas oil with the laboratory's own table
// when that is the one chosen.
std::string SettingsJson(const Workbench& workbench) {
  const CAnalysis& a = workbench.analysis();
  JsonWriter json(0);
  json.BeginObject();
  json.Member("method", static_cast<int>(a.Method));
  json.Member("TimeStartSample", a.TimeStartSample);
  json.Member("StepPercent", a.StepPercent);
  json.Member("UseDefaultStep", a.UseDefaultStep);
  json.Member("SampleMass", a.SampleMass);
  json.Member("StdMass", a.StdMass);
  json.Member("H2SPercent", a.H2SPercent);
  json.Member("MercaptanPercent", a.MercaptanPercent);
  json.Member("WaterPercent", a.WaterPercent);
  json.Member("start_mark", a.start_mark);
  json.Member("step_mark", a.step_mark);
  json.Member("type_ref_gasoil", static_cast<int>(a.RefType));
  const auto& times = workbench.calibrationTab().timeC;
  for (std::size_t i = 0; i < times.size(); ++i) json.Member("time_C" + std::to_string(i + 1), times[i]);
  json.Member("components", workbench.componentPath());
  if (a.RefType == Custom) {
    const CustomReference custom = CustomReference::FromSettings(workbench.shell());
    json.Member("gasoilPasportNum", custom.passportNumber);
    json.Key("GasoilParams");
    json.BeginArray();
    for (const GasoilParamRow& row : custom.rows) {
      json.BeginArray();
      json.Double(row.percent);
      json.Double(row.temperature);
      json.Double(row.deviation);
      json.EndArray();
    }
    json.EndArray();
  }
  json.EndObject();
  return json.Take();
}

// The sample the result is about: the first parallel analysis, else the first run with
// internal standard, else the reference run (a reference check on its own).
std::string SampleOf(const ChrmSet& set) {
  for (const int role : {RoleAnalysis, RoleStandard, RoleReference}) {
    for (const auto& [path, file] : set) {
      if (file.role == role) return file.passport.sample;
    }
  }
  return {};
}

std::vector<ReferencePointResult> ReferencePoints(const Workbench& workbench) {
  const CAnalysis& a = workbench.analysis();
  std::vector<ReferencePointResult> points;
  const std::vector<DistPoint>& table = a.Reference.PointTable;
  if (a.RefRows.empty()) return points;
  const CustomReference custom =
      a.RefType == Custom ? CustomReference::FromSettings(workbench.shell()) : CustomReference();
  for (std::size_t i = 0; i < table.size() && i < a.RefRows.size(); ++i) {
    ReferencePointResult point;
    point.percent = table[i].percent;
    point.measured = table[i].time == -1.0 ? -1.0 : table[i].temp;
    point.certified = a.RefType == Custom ? custom.TemperatureAt(point.percent)
                                          : ReferenceTemperature(a.Method, a.RefType, point.percent);
    points.push_back(point);
  }
  return points;
}

}  // namespace

std::string RegisteredProgramVersion() { return "plug528 1.2"; }

std::string RegisteredMethodName(int method) {
  switch (method) {
    case AstmD2887A: return "astm-d2887-a";
    case Gost56720A: return "gost-56720-a";
    case Gost56720B: return "gost-56720-b";
    case Gost54291: return "gost-54291";
    case Iso3924: return "gost-iso-3924";
    default: return "method " + std::to_string(method);
  }
}

ResultRegistration MakeRegistration(const Workbench& workbench, std::string resultJson,
                                    std::string reportHtml) {
  ResultRegistration entry;
  entry.operatorName = workbench.operatorName();
  entry.instrument = workbench.instrumentNumber();
  entry.method = workbench.analysis().Method;
  entry.methodName = RegisteredMethodName(entry.method);
  entry.settingsJson = SettingsJson(workbench);
  entry.programVersion = RegisteredProgramVersion();
  entry.sample = SampleOf(workbench.chrmSet());
  for (const auto& [path, file] : workbench.chrmSet()) {
    RegisteredRun run;
    run.assayId = file.assayId;
    run.fileName = path;
    run.role = file.role;
    run.ordinal = file.ordinal;
    run.sample = file.passport.sample;
    run.andate = file.passport.andate;
    entry.runs.push_back(std::move(run));
  }
  entry.referencePoints = ReferencePoints(workbench);
  entry.resultJson = std::move(resultJson);
  entry.reportHtml = std::move(reportHtml);
  return entry;
}

}  // namespace p528
