// Every number of a calculation's result as one text, doubles in hexadecimal so that two
// results print alike exactly when they are bit for bit the same: what a test compares when
// it asks whether two calculations gave the same result. The long sample vectors enter by
// a checksum of their bytes.
#pragma once

#include "engine/calculation.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace p528::test {

class Fingerprint {
 public:
  explicit Fingerprint(const CalcResult& r) {
    Int("state", r.State);
    Int("curves", r.CurvesReady ? 1 : 0);
    Record("blank", r.Blank);
    for (const ChrmResult& a : r.Analyses) Record("analysis", a);
    for (const ChrmResult& a : r.StdRuns) Record("standard", a);
    Record("reference", r.Reference);
    Num("window", r.WindowStart);
    Num("", r.WindowEnd);
    for (const RepeatRow& row : r.RepeatRows) Row("repeat", row);
    for (const RefCheckRow& row : r.RefRows) Row("ref", row);
    for (const Iso3405Row& row : r.Iso3405Rows) {
      Num("iso", row.tsd);
      Num("", row.tiso);
    }
    for (const FractionSummary& row : r.FractionRows) Summary(row);
    Summary(r.ResidueSummary);
    Num("meanTotal", r.FractionMeanTotal);
    Num("curveTimes", Sum(r.calibration.curve.times));
    Num("curveTemps", Sum(r.calibration.curve.temps));
    Num("resolution", r.calibration.resolution);
    for (const ResponseRow& row : r.calibration.responseRows) Num("factor", row.factor);
    for (const ComponentRecord& c : r.components) Num("rt", c.retentionTime);
    for (const Finding& f : r.findings) {
      Int("finding", static_cast<int64_t>(f.kind));
      for (const FindingText& part : f.parts) {
        Int("id", part.id);
        for (const FindingArg& arg : part.args) Arg(arg);
      }
    }
  }
  const std::string& Text() const { return text_; }

 private:
  void Int(const char* name, int64_t v) { text_ += std::string(name) + "=" + std::to_string(v) + " "; }
  void Num(const char* name, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s=%a ", name, v);
    text_ += buffer;
  }
  static double Sum(const std::vector<double>& v) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a over the bytes
    for (double x : v) {
      unsigned char bytes[sizeof x];
      std::memcpy(bytes, &x, sizeof x);
      for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
    }
    return static_cast<double>(hash % 1000000007ull) + static_cast<double>(v.size()) * 1e10;
  }
  void Point(const DistPoint& p) {
    Num("t", p.time);
    Num("T", p.temp);
    Num("p", p.percent);
  }
  void Record(const char* name, const ChrmResult& a) {
    Int(name, a.Number);
    for (double v :
         {Sum(a.Signal), Sum(a.Times), Sum(a.PercentOff), Sum(a.PointTemp), a.StartTime, a.EndTime, a.EndTemp,
          a.Step, a.ZeroLevel, a.TotalArea, a.WindowArea, a.SampleArea, a.Residue, a.FractionTotal})
      Num("", v);
    Point(a.LastPoint);
    Point(a.Ibp);
    Point(a.Fbp);
    for (const DistPoint& p : a.PointTable) Point(p);
    for (const FractionRecord& f : a.Fractions) {
      text_ += f.name + "/" + std::to_string(f.label.kind) + " ";
      for (double v :
           {f.peakTime, f.area, f.massPercent, f.residuePercent, f.correctedPercent, f.boundarySignal,
            f.boundaryTime, f.boundaryTemp, f.factor, f.weightedArea, f.label.lower, f.label.upper})
        Num("", v);
    }
  }
  void Row(const char* name, const RepeatRow& row) {
    for (double v : {row.percent, row.difference, row.meanTemp, row.r, row.R}) Num(name, v);
    Int("v", row.verdict);
    Int("v2", row.verdict2);
  }
  void Summary(const FractionSummary& row) {
    text_ += row.name + "/" + std::to_string(row.label.kind) + " ";
    for (double v : {row.mean, row.accuracy, row.r, row.sigmaR, row.criticalRange, row.difference})
      Num("sum", v);
    Int("v", row.verdict);
  }
  void Arg(const FindingArg& arg) {
    if (const auto* i = std::get_if<int32_t>(&arg)) Int("i", *i);
    if (const auto* d = std::get_if<double>(&arg)) Num("d", *d);
    if (const auto* s = std::get_if<std::string>(&arg)) text_ += *s + " ";
    if (const auto* n = std::get_if<FractionName>(&arg)) Num("fraction", n->lower + 1000 * n->kind);
  }

  std::string text_;
};

}  // namespace p528::test
