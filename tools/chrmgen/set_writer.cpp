#include "set_writer.h"

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "shell/json_writer.h"
#include "shell/text.h"

namespace p528::chrmgen {

namespace fs = std::filesystem;

namespace {

const char* MethodName(int method) {
  switch (method) {
    case 0: return "ASTM D 2887-13, method A";
    case 2: return "GOST R 56720-2015, method A";
    case 3: return "GOST R 56720-2015, method B";
    case 4: return "GOST R 54291-2010";
    case 5: return "GOST ISO 3924-2017";
    default: return "";
  }
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Row(JsonWriter& json, std::initializer_list<double> values) {
  json.BeginArray();
  for (double v : values) json.Double(v);
  json.EndArray();
}

void WriteSample(JsonWriter& json, const SampleExpectation& s) {
  json.BeginObject();
  json.Member("key", s.key);
  json.Member("name", s.name);
  json.Key("target");
  json.BeginObject();
  json.Key("points");
  json.BeginArray();
  for (const DistributionPoint& p : s.recipe.points) Row(json, {p.percent, p.temperature});
  json.EndArray();
  json.Key("components");
  json.BeginArray();
  for (const SampleComponent& c : s.recipe.components) {
    json.BeginObject();
    json.Member("name", c.name);
    json.Member("boiling_point", c.boilingPoint);
    json.Member("percent", c.percent);
    json.EndObject();
  }
  json.EndArray();
  json.Member("paraffin_share", s.recipe.paraffinShare);
  json.EndObject();
  json.Member("eluted_percent", s.eluted);
  json.Member("residue_percent", s.residue);
  json.Member("elution_start", s.elutionStart);
  json.Member("elution_end", s.elutionEnd);
  json.Member("elution_end_temperature", s.elutionEndTemperature);
  json.Key("expected");
  json.BeginArray();
  for (const ExpectedPoint& p : s.points) {
    json.BeginObject();
    json.Member("percent", p.percent);
    json.Member("time", p.time);
    json.Member("temperature", p.temperature);
    json.EndObject();
  }
  json.EndArray();
  json.Key("cumulative_at_temperature");
  json.BeginArray();
  for (const auto& [temperature, percent] : s.cumulativeAt) Row(json, {temperature, percent});
  json.EndArray();
  json.Key("peaks");
  json.BeginArray();
  for (const SamplePeak& p : s.peaks) {
    json.BeginObject();
    json.Member("name", p.name);
    json.Member("boiling_point", p.boilingPoint);
    json.Member("time", p.shape.apex);
    json.Member("percent", p.shape.area);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

std::string ManifestJson(const GeneratedSet& set) {
  const ColumnSettings& c = set.column->Settings();
  JsonWriter json(2);
  json.BeginObject();
  json.Member("format", 1);
  json.Member("generator", "chrmgen");
  json.Member("scenario", set.options.scenario);
  json.Member("seed", set.options.seed);
  json.Member("description", set.description);

  json.Key("run");
  json.BeginObject();
  json.Member("length_min", c.runLength);
  json.Member("step_min", c.step);
  json.Member("samples", static_cast<uint64_t>(set.column->SampleCount()));
  json.Member("resolution_c16_c18", c.resolution);
  json.Member("tailing", c.tailing);
  json.Member("noise", set.options.noise);
  json.Member("spikes", set.options.spikes);
  json.Member("solvent", set.options.solvent);
  json.Member("dead_time_min", set.column->DeadTime());
  json.Member("minutes_per_degree", set.column->Slope());
  json.EndObject();

  json.Key("methods");
  json.BeginArray();
  for (int m : set.methods) {
    json.BeginObject();
    json.Member("number", m);
    json.Member("name", MethodName(m));
    json.EndObject();
  }
  json.EndArray();
  json.Key("settings");
  json.BeginObject();
  for (const auto& [key, value] : set.settings) json.Member(key, value);
  json.EndObject();
  json.Member("component_table", "tqle528data.csv");
  json.Member("database", "assays.db");

  json.Key("files");
  json.BeginArray();
  for (const GeneratedRun& run : set.runs) {
    json.BeginObject();
    json.Member("file", run.fileName);
    json.Member("role", run.role);
    json.Member("role_text", run.roleText);
    json.Member("ordinal", run.ordinal);
    json.Member("assay_id", run.assayId);
    json.Member("sample", run.file.passport.sample);
    json.Member("andate", run.file.passport.andate);
    json.Member("offset", run.plan.offset);
    if (!run.sampleKey.empty()) {
      json.Member("shows", run.sampleKey);
      json.Member("sample_area", run.sampleArea);
    }
    json.Member("peaks", static_cast<uint64_t>(run.file.channels[0].peaks.size()));
    json.EndObject();
  }
  json.EndArray();

  json.Key("calibration");
  json.BeginArray();
  for (size_t k = 0; k < set.calibrationNames.size(); ++k) {
    json.BeginObject();
    json.Member("name", set.calibrationNames[k]);
    json.Member("time", set.calibration->Times()[k]);
    json.Member("temperature", set.calibration->Temperatures()[k]);
    json.EndObject();
  }
  json.EndArray();

  if (!set.check.empty()) {
    json.Key("check_mixture");
    json.BeginArray();
    for (const CheckComponent& k : set.check) {
      json.BeginObject();
      json.Member("name", k.name);
      json.Member("mass_mg", k.massMg);
      json.Member("area", k.area);
      json.Member("relative_factor", k.relativeFactor);
      json.EndObject();
    }
    json.EndArray();
  }
  if (set.standard) {
    json.Key("internal_standard");
    json.BeginObject();
    json.Member("name", set.standard->name);
    json.Member("time", set.standard->time);
    json.Member("sample_mass_g", set.standard->sampleMass);
    json.Member("standard_mass_g", set.standard->standardMass);
    json.Member("side_file", "masses.json");
    json.EndObject();
  }
  json.Key("samples");
  json.BeginArray();
  for (const SampleExpectation& s : set.samples) WriteSample(json, s);
  json.EndArray();
  json.EndObject();
  return json.Take() + "\n";
}

void WriteSet(const GeneratedSet& set, const std::string& folder, const std::string& componentFile,
              bool withDatabase) {
  const fs::path dir(folder);
  std::error_code error;
  fs::create_directories(dir, error);
  if (!fs::is_directory(dir)) throw std::runtime_error("cannot create folder " + folder);
  for (const GeneratedRun& run : set.runs) {
    ChrmFile copy = run.file;
    const int status = copy.SaveToFile((dir / run.fileName).string());
    if (status != 0)
      throw std::runtime_error(Format("cannot write %s (status %d)", run.fileName.c_str(), status));
  }
  fs::copy_file(componentFile, dir / "tqle528data.csv", fs::copy_options::overwrite_existing, error);
  if (error)
    throw std::runtime_error("cannot copy the component table " + componentFile + ": " + error.message());
  WriteText(dir / "manifest.json", ManifestJson(set));
  if (set.standard) {
    JsonWriter json(2);
    json.BeginObject();
    json.Member("sample_mass_g", set.standard->sampleMass);
    json.Member("standard_mass_g", set.standard->standardMass);
    json.Member("standard", set.standard->name);
    json.EndObject();
    WriteText(dir / "masses.json", json.Take() + "\n");
  }
  WriteText(dir / "assays.txt", AssayListText(set.Assays("")));
  if (withDatabase) {
    fs::remove(dir / "assays.db", error);
    WriteAssayDatabase((dir / "assays.db").string(), set.Assays(folder));
  }
}

int IndexSets(const std::vector<std::string>& folders, const std::string& database, int64_t assays) {
  std::vector<AssayRow> all;
  for (const std::string& folder : folders) {
    const fs::path dir = fs::absolute(folder).lexically_normal();
    for (AssayRow row : ReadAssayList((dir / "assays.txt").string())) {
      row.filename = (dir / row.filename).string();
      all.push_back(row);
    }
  }
  const bool rounds = !all.empty() && assays > static_cast<int64_t>(all.size());
  if (rounds) {
    const size_t round = all.size();
    int next = 0;
    for (const AssayRow& row : all) next = std::max(next, row.id);
    for (size_t i = round; static_cast<int64_t>(i) < assays; ++i) {
      AssayRow row = all[i % round];
      row.id = ++next;
      row.andate += static_cast<int64_t>(i / round) * 86400;
      all.push_back(std::move(row));
    }
  }
  return static_cast<int>(WriteAssayDatabase(database, all, rounds));
}

}  // namespace p528::chrmgen
