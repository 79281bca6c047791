#include "host/kit/register/reference_control.h"

#include "host/kit/assay_database.h"
#include "shell/json_writer.h"

#include <map>

namespace p528::hostkit {

InstrumentControlCharts ReferenceControlCharts(int instrument, const std::vector<ReferenceResult>& results,
                                               ControlBaseline baseline) {
  InstrumentControlCharts out;
  out.instrument = instrument;
  out.baseline = baseline;
  std::map<double, PercentControlChart> byPercent;
  std::map<double, std::vector<double>> values;
  for (const ReferenceResult& result : results) {
    for (const ReferencePointResult& point : result.points) {
      if (point.measured == -1.0) continue;
      PercentControlChart& chart = byPercent[point.percent];
      chart.percent = point.percent;
      chart.entryIds.push_back(result.entryId);
      chart.runTimes.push_back(result.runTime);
      chart.runFingerprints.push_back(result.runFingerprint);
      values[point.percent].push_back(point.measured);
    }
  }
  for (auto& [percent, chart] : byPercent) {
    chart.series = ComputeControlChart(values[percent], baseline);
    out.charts.push_back(std::move(chart));
  }
  return out;
}

std::set<std::string> RunsOutOfControl(const InstrumentControlCharts& charts) {
  std::set<std::string> runs;
  for (const PercentControlChart& chart : charts.charts) {
    for (std::size_t i = 0; i < chart.series.points.size(); ++i) {
      if (chart.series.points[i].flags != 0) runs.insert(chart.runFingerprints[i]);
    }
  }
  return runs;
}

std::set<int64_t> EntriesOutOfControl(const ResultRegister& store, const std::vector<RegisterHead>& heads,
                                      ControlBaseline baseline) {
  std::map<int, std::set<std::string>> flaggedRuns;
  std::set<int64_t> entries;
  for (const RegisterHead& head : heads) {
    if (head.referenceRun.empty()) continue;
    auto runs = flaggedRuns.find(head.instrument);
    if (runs == flaggedRuns.end()) {
      const InstrumentControlCharts charts =
          ReferenceControlCharts(head.instrument, store.ReferenceResults(head.instrument), baseline);
      runs = flaggedRuns.emplace(head.instrument, RunsOutOfControl(charts)).first;
    }
    if (runs->second.count(head.referenceRun) != 0) entries.insert(head.id);
  }
  return entries;
}

std::string ControlChartsJson(const InstrumentControlCharts& charts) {
  JsonWriter json(2);
  json.BeginObject();
  json.Member("formatVersion", 1);
  json.Member("instrument", charts.instrument);
  json.Key("baseline");
  json.BeginObject();
  json.Member("first", static_cast<uint64_t>(charts.baseline.first + 1));
  json.Member("count", static_cast<uint64_t>(charts.baseline.count));
  json.EndObject();
  json.Key("charts");
  json.BeginArray();
  for (const PercentControlChart& chart : charts.charts) {
    const ControlSeries& series = chart.series;
    json.BeginObject();
    json.Member("percent", chart.percent);
    if (series.hasLimits) {
      json.Member("centre", series.limits.centre);
      json.Member("upper", series.limits.upper);
      json.Member("lower", series.limits.lower);
      json.Member("movingRangeMean", series.limits.movingRangeMean);
      json.Member("movingRangeUpper", series.limits.movingRangeUpper);
      json.Member("baselineCount", static_cast<uint64_t>(series.limits.baselineCount));
      json.Member("provisional", series.limits.provisional);
    } else {
      json.Key("centre");
      json.Null();
    }
    json.Key("points");
    json.BeginArray();
    for (std::size_t i = 0; i < series.points.size(); ++i) {
      const ControlPoint& point = series.points[i];
      json.BeginObject();
      json.Member("entry", chart.entryIds[i]);
      json.Member("runDate", UtcDateText(chart.runTimes[i]));
      json.Member("value", point.value);
      if (point.movingRange < 0) {
        json.Key("movingRange");
        json.Null();
      } else {
        json.Member("movingRange", point.movingRange);
      }
      json.Key("flags");
      json.BeginArray();
      for (const unsigned flag : {BeyondLimits, RunOnOneSide, Trend, MovingRangeBeyondLimit}) {
        if ((point.flags & flag) != 0) json.String(ControlFlagText(flag));
      }
      json.EndArray();
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::string text = json.Take();
  text += '\n';
  return text;
}

}  // namespace p528::hostkit
