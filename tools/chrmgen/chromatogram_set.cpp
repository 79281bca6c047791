#include "chromatogram_set.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "chromatogram/chrm_role.h"
#include "random.h"
#include "shell/text.h"

namespace p528::chrmgen {

namespace {

constexpr int64_t kFirstRunAt = 1710223200;  // 12.03.2024 09:00 Moscow time (06:00 UTC)
constexpr double kCooling = 10.0;            // minutes between the end of a run and the next
const char* const kOperator = "Смирнова Е. В.";
const char* const kStandardName = "Внутр. стандарт";
constexpr double kSolventBoilingPoint = 46.2;  // carbon disulphide, the usual diluent

// Role texts as the host writes them into the passport, indexed by ChrmRole.
const char* const kRoleTexts[] = {"",          "#градуировочная", "#холостая",   "#анализ",
                                  "#стандарт", "#эталон",         "#проверочная"};

// n of an n-paraffin name "С<n>" (either letter C), 0 for any other name.
int ParaffinNumber(const std::string& name) {
  const std::string cyrillic = ToCyrillicC(name);
  const std::string prefix = "\xD0\xA1";  // Cyrillic capital Es
  if (cyrillic.size() <= prefix.size() || cyrillic.compare(0, prefix.size(), prefix) != 0) return 0;
  int n = 0;
  for (size_t i = prefix.size(); i < cyrillic.size(); ++i) {
    const char c = cyrillic[i];
    if (c < '0' || c > '9' || n > 100) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The label a component's peak carries in chromatograms: its additional name.
std::string PeakLabel(const ComponentRecord& row) { return row.altName.empty() ? row.name : row.altName; }

const ComponentRecord* ParaffinRow(const ComponentTable& table, int n) {
  for (const ComponentRecord& row : table)
    if (ParaffinNumber(row.name) == n) return &row;
  return nullptr;
}

const ComponentRecord& RequireParaffin(const ComponentTable& table, int n) {
  const ComponentRecord* row = ParaffinRow(table, n);
  if (row == nullptr) throw std::invalid_argument(Format("component table has no n-paraffin C%d", n));
  return *row;
}

// n-paraffins from C5 up, the calibration components, in table order.
std::vector<const ComponentRecord*> CalibrationRows(const ComponentTable& table) {
  std::vector<const ComponentRecord*> rows;
  for (size_t i = 4; i < table.size(); ++i)
    if (ParaffinNumber(table[i].name) >= 5) rows.push_back(&table[i]);
  return rows;
}

std::vector<DistributionPoint> Table(std::initializer_list<std::pair<double, double>> rows) {
  std::vector<DistributionPoint> points;
  for (const auto& [percent, temperature] : rows) points.push_back({percent, temperature});
  return points;
}

// Reference gas oil, certified temperatures of lot 1 and lot 2 (-1: not certified).
std::vector<DistributionPoint> ReferenceTable(int lot) {
  struct Row {
    double percent, lot1, lot2;
  };
  static const Row rows[] = {{0.5, 114, 115}, {5, 143, 151},  {10, 169, 176}, {15, 196, 201}, {20, 221, 224},
                             {25, -1, 243},   {30, 258, 259}, {35, -1, 275},  {40, 287, 289}, {45, -1, 302},
                             {50, 312, 312},  {55, -1, 321},  {60, 332, 332}, {65, 343, 343}, {70, 354, 354},
                             {75, 364, 365},  {80, 376, 378}, {85, 389, 391}, {90, 404, 407}, {95, 425, 428},
                             {99.5, 475, 475}};
  std::vector<DistributionPoint> points;
  for (const Row& row : rows) {
    const double t = lot == 2 ? row.lot2 : row.lot1;
    if (t > 0) points.push_back({row.percent, t});
  }
  return points;
}

SampleRecipe DieselRecipe() {
  SampleRecipe recipe;
  recipe.name = "Дизельное топливо, проба 528";
  recipe.points = Table({{0.5, 131}, {5, 166},  {10, 184}, {15, 198}, {20, 210}, {25, 221}, {30, 231},
                         {35, 240},  {40, 249}, {45, 257}, {50, 265}, {55, 273}, {60, 281}, {65, 289},
                         {70, 298},  {75, 307}, {80, 317}, {85, 328}, {90, 341}, {95, 359}, {99.5, 398}});
  recipe.paraffinShare = 0.2;
  return recipe;
}

SampleRecipe HeavyRecipe() {
  SampleRecipe recipe;
  recipe.name = "Газойль вакуумный, проба 528-Т";
  recipe.points = Table({{0.5, 262}, {5, 316},  {10, 338}, {15, 353}, {20, 366}, {25, 377}, {30, 387},
                         {35, 396},  {40, 405}, {45, 413}, {50, 421}, {55, 429}, {60, 437}, {65, 445},
                         {70, 454},  {75, 463}, {80, 473}, {85, 484}, {90, 497}, {95, 515}, {99.5, 541}});
  recipe.paraffinShare = 0.15;
  return recipe;
}

// Light compounds of a stable gas condensate, percent of the sample, by boiling point: the
// components of the table that elute before the start of the fractions are matched to the
// nearest of these (propane, isobutane, n-butane, neopentane, isopentane, n-pentane,
// cyclopentane); hydrogen sulphide, mercaptans and water give no detector response.
double CondensateLightPercent(double boilingPoint) {
  static const std::pair<double, double> typical[] = {{-42.1, 0.30}, {-11.7, 0.80}, {-0.5, 1.90}, {9.5, 0.05},
                                                      {27.8, 2.40},  {36.1, 2.70},  {49.3, 0.35}};
  double best = 0.3, distance = 3.0;
  for (const auto& [bp, percent] : typical) {
    if (std::abs(bp - boilingPoint) <= distance) {
      distance = std::abs(bp - boilingPoint);
      best = percent;
    }
  }
  return best;
}

SampleRecipe CondensateRecipe(const ComponentTable& table) {
  SampleRecipe recipe;
  recipe.name = "Конденсат газовый стабильный, проба 528-К";
  for (size_t i = 0; i < table.size(); ++i) {
    const ComponentRecord& row = table[i];
    const int n = ParaffinNumber(row.name);
    // Rows 3 and 4 are propane and n-butane by the table's convention.
    const bool lightParaffin = i == 2 || i == 3 || n == 5;
    const bool lightOther =
        n == 0 && i >= 4 && row.responseFactor > 0 && row.boilingPoint > -50 && row.boilingPoint < 60;
    if (!lightParaffin && !lightOther) continue;
    recipe.components.push_back(
        {row.name, row.boilingPoint, CondensateLightPercent(row.boilingPoint), n > 0 ? 100.0 * n : 0.0});
  }
  double lights = 0;
  for (const SampleComponent& c : recipe.components) lights += c.percent;
  // The hump starts once the last light compound (cyclopentane) has eluted.
  recipe.points = Table({{lights, 55}, {10, 64},  {15, 78},  {20, 92},  {25, 104}, {30, 116}, {35, 128},
                         {40, 140},    {45, 152}, {50, 165}, {55, 178}, {60, 192}, {65, 207}, {70, 223},
                         {75, 241},    {80, 262}, {85, 287}, {90, 320}, {93, 350}, {95, 378}, {96.8, 430}});
  recipe.paraffinShare = 0.3;
  return recipe;
}

// A table from 0.5 % to 99.5 % made to stop eluting at `end` (degrees C, > 0): the 99.5 %
// row moves to 10 degrees before it, so the last half percent still ends steeply enough
// for the end of elution to be found there. Without `end` the table keeps its rows.
std::vector<DistributionPoint> EndingAt(std::vector<DistributionPoint> table, double end) {
  if (end > 0) {
    const double before = table[table.size() - 2].temperature;
    if (end - 10.0 <= before) throw std::invalid_argument("end of elution below the 95 % point");
    table.back().temperature = end - 10.0;
  }
  return ExtendToFullRange(std::move(table), end);
}

std::string Guid(Random& rng) {
  const uint64_t a = rng.Next(), b = rng.Next();
  return Format("%08llx-%04llx-4%03llx-%04llx-%012llx", static_cast<unsigned long long>(a >> 32),
                static_cast<unsigned long long>((a >> 16) & 0xFFFF),
                static_cast<unsigned long long>(a & 0xFFF),
                static_cast<unsigned long long>(0x8000 | ((b >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
}

std::string DateText(int64_t seconds) {
  // Moscow time, where the laboratory of the demo works (UTC+3, no daylight saving).
  const int64_t local = seconds + 3 * 3600;
  const int64_t days = local / 86400;
  // Civil date from days since 1970-01-01 (proleptic Gregorian).
  const int64_t z = days + 719468, era = z / 146097, doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1, month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2);
  return Format("%02lld.%02lld.%04lld", static_cast<long long>(day), static_cast<long long>(month),
                static_cast<long long>(year));
}

class SetBuilder {
 public:
  SetBuilder(const GeneratorOptions& options, const ComponentTable& table, GeneratedSet& set)
      : options_(options),
        table_(table),
        set_(set),
        rng_(StreamSeed(options.seed + static_cast<uint64_t>(options.day), "set")) {
    if (table.size() < 4) throw std::invalid_argument("component table has fewer than four rows");
    const double c16 = RequireParaffin(table, 16).boilingPoint, c18 = RequireParaffin(table, 18).boilingPoint;
    set.column =
        std::make_unique<ColumnModel>(options.column, c16, c18, CalibrationRows(table).back()->boilingPoint);
    BuildCalibration();
  }

  const ColumnModel& Column() const { return *set_.column; }
  const CalibrationMap& Calibration() const { return *set_.calibration; }
  Random& Rng() { return rng_; }

  void Blank() {
    RunPlan plan = NewPlan("blank");
    AddSolvent(plan);
    AddRun("blank", RoleBlank, 0, "Холостой опыт", "", std::move(plan), "", 0);
  }

  void CalibrationRun() {
    AddRun("calibration", RoleCalibration, 0, "Смесь н-парафинов С5–С44", "н-Парафины С5–С44",
           calibrationPlan_, "", 0);
  }

  void CheckRun() {
    RunPlan plan = NewPlan("check");
    std::vector<const ComponentRecord*> rows;
    double massSum = 0;
    for (const ComponentRecord* row : CalibrationRows(table_))
      if (row->mixtureMass > 0) {
        rows.push_back(row);
        massSum += row->mixtureMass;
      }
    if (rows.empty()) throw std::invalid_argument("component table gives no check-mixture masses");
    const double areaPerMg = 35.0 * static_cast<double>(rows.size()) / massSum;
    for (const ComponentRecord* row : rows) {
      const double response = rng_.Uniform(0.97, 1.03);
      const double t = Calibration().TimeAt(row->boilingPoint);
      plan.peaks.push_back({PeakLabel(*row), Column().Peak(t, areaPerMg * row->mixtureMass * response),
                            100.0 * ParaffinNumber(row->name), true});
    }
    GeneratedRun& run = AddRun("check", RoleCheck, 0, "Проверочная смесь н-парафинов", "Проверочная смесь",
                               std::move(plan), "", 0);
    // Relative factors exactly as the check computes them from the peak table.
    const auto& peaks = run.file.channels[0].peaks;
    double c10 = -1;
    for (size_t k = 0; k < peaks.size(); ++k)
      if (ParaffinNumber(peaks[k].name) == 10) c10 = rows[k]->mixtureMass / peaks[k].area;
    for (size_t k = 0; k < peaks.size(); ++k)
      set_.check.push_back({peaks[k].name, rows[k]->mixtureMass, peaks[k].area,
                            c10 > 0 ? rows[k]->mixtureMass / peaks[k].area / c10 : 0.0});
  }

  // Runs of one sample: `count` parallel runs of `role`; `sampleArea` is the area of 100 %
  // of the sample in an average run.
  void SampleRuns(const std::string& key, const SampleRecipe& recipe, double sampleArea, int count, int role,
                  const std::string& filePrefix) {
    const SampleProfile& profile = Profile(key, recipe);
    for (int k = 1; k <= count; ++k) {
      const std::string runKey = count > 1 ? Format("%s_%d", filePrefix.c_str(), k) : filePrefix;
      RunPlan plan = NewPlan(runKey);
      const double area = sampleArea * rng_.Uniform(0.96, 1.04);
      AddSample(plan, profile, area);
      AddRun(runKey, role, count > 1 || role == RoleAnalysis ? k : 0, recipe.name, "", std::move(plan), key,
             area);
    }
  }

  // Runs of the sample of `key` with a weighed internal standard: one blend, injected `count`
  // times; the standard elutes between C15 and C16, inside the window of C14 and C17.
  void StandardRuns(const std::string& key, double sampleArea, int count) {
    const SampleProfile& profile = *set_.profiles.at(ProfileIndex(key));
    set_.standard = std::make_unique<InternalStandard>();
    InternalStandard& standard = *set_.standard;
    standard.name = kStandardName;
    standard.sampleMass = Format("%.4f", rng_.Uniform(0.93, 0.97));
    standard.standardMass = Format("%.4f", rng_.Uniform(0.045, 0.055));
    const double massRatio = DecimalPrefix(standard.standardMass) / DecimalPrefix(standard.sampleMass);
    const double t14 = PointTime(14), t15 = PointTime(15), t16 = PointTime(16), t17 = PointTime(17);
    standard.time = 0.5 * (t15 + t16);
    for (int k = 1; k <= count; ++k) {
      const std::string runKey = Format("standard_%d", k);
      RunPlan plan = NewPlan(runKey);
      const double area = sampleArea * rng_.Uniform(0.92, 1.08);
      AddSample(plan, profile, area);
      // Equal response per mass: the standard gives the area of its mass.
      plan.peaks.push_back({kStandardName, Column().Peak(standard.time, area * massRatio), 0, true});
      const PeakShape& shape = plan.peaks.back().shape;
      if (shape.Start() <= 0.95 * t14 || shape.End() >= 1.05 * t17)
        throw std::invalid_argument("internal standard peak leaves the window between C14 and C17");
      AddRun(runKey, RoleStandard, k, profile.Recipe().name + " + внутр. стандарт", "", std::move(plan), key,
             area);
    }
  }

  void Expect() {
    for (size_t i = 0; i < set_.profiles.size(); ++i)
      set_.samples[i] = Expectation(set_.samples[i].key, *set_.profiles[i]);
  }

  // Settings a user enters for this set; masses only with an internal standard.
  void Settings(const std::vector<int>& methods) {
    set_.methods = methods;
    auto& s = set_.settings;
    s.push_back({"method", std::to_string(methods.front())});
    s.push_back({"TimeStartSample", "0.0"});
    s.push_back({"start_mark", "70.0"});
    s.push_back({"step_mark", "10.0"});
    s.push_back({"StepPercent", ""});
    s.push_back({"SampleMass", set_.standard ? set_.standard->sampleMass : "0.0"});
    s.push_back({"StdMass", set_.standard ? set_.standard->standardMass : "0.0"});
    s.push_back({"H2SPercent", "0.0"});
    s.push_back({"MercaptanPercent", "0.0"});
    s.push_back({"WaterPercent", "0.0"});
    s.push_back({"type_ref_gasoil", std::to_string(options_.referenceLot == 2 ? 1 : 0)});
    for (int k = 0; k < 4; ++k) s.push_back({Format("time_C%d", k + 1), typedTimes_[static_cast<size_t>(k)]});
  }

 private:
  // C1-C4 as typed on the calibration tab, then the calibration run's n-paraffins.
  void BuildCalibration() {
    std::vector<double> times, temps;
    for (size_t k = 0; k < 4; ++k) {
      typedTimes_.push_back(Format("%.3f", Column().RetentionTime(table_[k].boilingPoint)));
      // The calculation keeps a typed time as a single-precision number.
      times.push_back(static_cast<double>(static_cast<float>(DecimalPrefix(typedTimes_.back()))));
      temps.push_back(table_[k].boilingPoint);
      set_.calibrationNames.push_back(table_[k].name);
    }
    calibrationPlan_ = NewPlan("calibration");
    for (const ComponentRecord* row : CalibrationRows(table_)) {
      const double t = Column().RetentionTime(row->boilingPoint);
      calibrationPlan_.peaks.push_back({PeakLabel(*row), Column().Peak(t, 35.0 * rng_.Uniform(0.8, 1.2)),
                                        100.0 * ParaffinNumber(row->name), true});
      temps.push_back(row->boilingPoint);
      set_.calibrationNames.push_back(row->name);
    }
    // The calculation takes the times of the peak table, where overlapping heavy peaks
    // show their observed tops.
    for (const ChrmPeak& peak : BuildPeakTable(calibrationPlan_, Column())) times.push_back(peak.time);
    if (times.size() < 6) throw std::invalid_argument("component table holds too few n-paraffins");
    try {
      set_.calibration = std::make_unique<CalibrationMap>(times, temps, Column().Slope());
    } catch (const std::invalid_argument&) {
      throw std::invalid_argument("component table does not list C1-C44 in order of boiling point");
    }
  }

  double PointTime(int n) const {
    const std::string name = RequireParaffin(table_, n).name;
    for (size_t k = 0; k < set_.calibrationNames.size(); ++k)
      if (set_.calibrationNames[k] == name) return Calibration().Times()[k];
    throw std::invalid_argument(Format("calibration has no C%d", n));
  }

  size_t ProfileIndex(const std::string& key) const {
    for (size_t i = 0; i < set_.samples.size(); ++i)
      if (set_.samples[i].key == key) return i;
    throw std::invalid_argument("no sample " + key);
  }

  const SampleProfile& Profile(const std::string& key, const SampleRecipe& recipe) {
    std::vector<SampleComponent> paraffins;
    for (const ComponentRecord* row : CalibrationRows(table_))
      paraffins.push_back({PeakLabel(*row), row->boilingPoint, 100.0 * ParaffinNumber(row->name)});
    set_.profiles.push_back(std::make_unique<SampleProfile>(recipe, paraffins, Column(), Calibration()));
    SampleExpectation expectation;
    expectation.key = key;
    set_.samples.push_back(expectation);
    const SampleProfile& profile = *set_.profiles.back();
    if (profile.EndTime() > Column().Settings().runLength - 1.0)
      throw std::invalid_argument("the run ends before the sample has eluted");
    return profile;
  }

  SampleExpectation Expectation(const std::string& key, const SampleProfile& profile) const {
    SampleExpectation e;
    e.key = key;
    e.name = profile.Recipe().name;
    e.recipe = profile.Recipe();
    e.eluted = profile.ElutedPercent();
    e.residue = 100.0 - e.eluted;
    e.elutionStart = profile.StartTime();
    e.elutionEnd = profile.EndTime();
    e.elutionEndTemperature = Calibration().TemperatureAtExtended(e.elutionEnd);
    std::vector<double> percents{0.5};
    for (int p = 1; p <= 99; ++p) percents.push_back(p);
    percents.push_back(99.5);
    for (double p : percents) {
      const double t = profile.TimeAtPercent(p);
      if (t < 0) break;
      e.points.push_back({p, t, Calibration().TemperatureAt(t)});
    }
    for (double temperature = 70; temperature <= 550; temperature += 10)
      e.cumulativeAt.push_back({temperature, profile.Cumulative(Calibration().TimeAt(temperature))});
    e.peaks = profile.Peaks();
    return e;
  }

  RunPlan NewPlan(const std::string& key) {
    RunPlan plan;
    plan.key = key;
    plan.offset = rng_.Uniform(1850.0, 2150.0);
    plan.noise = options_.noise;
    plan.spikes = options_.spikes;
    plan.seed = StreamSeed(options_.seed + static_cast<uint64_t>(options_.day), key);
    return plan;
  }

  void AddSolvent(RunPlan& plan) const {
    if (!options_.solvent) return;
    const double t = Calibration().TimeAt(kSolventBoilingPoint);
    plan.peaks.push_back({"", Column().Peak(t, 6.0), 0, false});
  }

  void AddSample(RunPlan& plan, const SampleProfile& profile, double area) const {
    plan.sample = &profile;
    plan.sampleScale = area / 100.0;
    for (const SamplePeak& p : profile.Peaks()) {
      PeakShape shape = p.shape;
      shape.area *= plan.sampleScale;
      plan.peaks.push_back({p.name, shape, p.index, true});
    }
    AddSolvent(plan);
  }

  GeneratedRun& AddRun(const std::string& key, int role, int ordinal, const std::string& sample,
                       const std::string& mixture, RunPlan plan, const std::string& sampleKey,
                       double sampleArea) {
    const int number = static_cast<int>(set_.runs.size()) + 1;
    GeneratedRun run;
    run.fileName = Format("%02d_%s.chrm", number, key.c_str());
    run.role = role;
    run.roleText = kRoleTexts[role];
    run.ordinal = ordinal;
    run.assayId = options_.assayIdBase + number - 1;
    run.sampleKey = sampleKey;
    run.sampleArea = sampleArea;

    const double runLength = Column().Settings().runLength;
    const int64_t firstRunAt = kFirstRunAt + int64_t{86400} * options_.day;
    const int64_t andate =
        firstRunAt + static_cast<int64_t>(std::llround((number - 1) * (runLength + kCooling) * 60));
    ChrmPassport& p = run.file.passport;
    p.assayid = Guid(rng_);
    p.series = "ИД-" + DateText(firstRunAt);
    p.andate = andate;
    p.duration = runLength;
    p.sample = sample;
    p.method = Format("Имитированная дистилляция, %g мин", runLength);
    p.graduation = role == RoleCalibration;
    p.date = andate + static_cast<int64_t>(std::llround(runLength * 60));
    p.mixture = mixture;
    ChrmColumn column;
    column.channel = 1;
    column.name = "Колонка 1";
    column.type = 1;
    column.diameter = 0.53;
    column.length = 10.0;
    column.carrier = "гелий";
    column.phase = "100 % диметилполисилоксан";
    column.percent = 100.0;
    column.film = 2.65;
    column.serial = "ИД-0528";
    p.columns.push_back(column);
    p.fields.push_back({"chrm_type", "Chrm_Type", run.roleText});
    p.fields.push_back({"operator", "Оператор", kOperator});

    ChrmChannel channel;
    channel.number = 1;
    channel.startTime = 0.0;
    channel.step = Column().Settings().step;
    channel.samples = RenderSamples(plan, Column());
    channel.peaks = BuildPeakTable(plan, Column());
    run.file.channels.push_back(std::move(channel));
    run.plan = std::move(plan);
    set_.runs.push_back(std::move(run));
    return set_.runs.back();
  }

  const GeneratorOptions& options_;
  const ComponentTable& table_;
  GeneratedSet& set_;
  Random rng_;
  std::vector<std::string> typedTimes_;
  RunPlan calibrationPlan_;
};

void CheckOptions(const GeneratorOptions& o) {
  if (const std::string problem = OptionsProblem(o); !problem.empty()) throw std::invalid_argument(problem);
}

}  // namespace

std::string OptionsProblem(const GeneratorOptions& o) {
  if (!(o.noise >= 0)) return "--noise must be 0 or more";
  if (o.spikes < 0) return "--spikes must be 0 or more";
  if (o.analyses < 1 || o.analyses > 9) return "--analyses must be 1 to 9";
  if (o.referenceLot != 1 && o.referenceLot != 2) return "--reference-lot must be 1 or 2";
  if (!(o.column.resolution > 0)) return "--resolution must be above 0";
  if (!(o.column.tailing >= 0)) return "--tailing must be 0 or more";
  if (!(o.column.runLength > 0) || !(o.column.step > 0)) return "--length and --step must be above 0";
  const double samples = o.column.runLength / o.column.step;
  if (!(samples >= 100) || samples > 5e7) {
    return Format("--length / --step must give 100 to 50000000 samples (they give %.0f)", samples);
  }
  return {};
}

std::vector<std::string> ScenarioNames() { return {"gasoil", "condensate", "heavy", "benchmark"}; }

GeneratorOptions ScenarioDefaults(const std::string& scenario) {
  GeneratorOptions o;
  o.scenario = scenario;
  // The demonstration sets are recorded on days of their own, one after the other.
  if (scenario == "condensate") o.day = 1;
  if (scenario == "heavy") o.day = 2;
  if (scenario == "benchmark") {
    o.column.runLength = 60.0;
    o.column.step = 1.0 / 3000.0;
  }
  return o;
}

const SampleExpectation* GeneratedSet::Sample(const std::string& key) const {
  for (const SampleExpectation& s : samples)
    if (s.key == key) return &s;
  return nullptr;
}

std::vector<AssayRow> GeneratedSet::Assays(const std::string& folder) const {
  std::vector<AssayRow> rows;
  for (const GeneratedRun& run : runs) {
    const std::string path =
        folder.empty() ? run.fileName
                       : (std::filesystem::absolute(folder) / run.fileName).lexically_normal().string();
    rows.push_back({run.assayId, path, run.file.passport.sample, run.file.passport.andate, run.roleText});
  }
  return rows;
}

GeneratedSet GenerateSet(const GeneratorOptions& requested, const ComponentTable& components) {
  GeneratorOptions options = requested;
  CheckOptions(options);
  const std::vector<std::string> names = ScenarioNames();
  const auto found = std::find(names.begin(), names.end(), options.scenario);
  if (found == names.end()) throw std::invalid_argument("unknown scenario: " + options.scenario);
  if (options.assayIdBase <= 0) options.assayIdBase = 100 * static_cast<int>(found - names.begin() + 1) + 1;

  GeneratedSet set;
  set.options = options;
  SetBuilder build(options, components, set);
  const std::string& s = options.scenario;
  if (s == "gasoil" || s == "benchmark") {
    set.description =
        s == "gasoil" ? "Diesel fuel with the reference gas oil and the check mixture: ASTM D 2887 method A, "
                        "GOST R 56720 method A, GOST ISO 3924."
                      : "The gas oil set as 60-minute runs sampled at 50 Hz, for timing the calculation.";
    SampleRecipe diesel = DieselRecipe();
    diesel.points = EndingAt(diesel.points, options.endTemperature);
    SampleRecipe reference;
    reference.name =
        options.referenceLot == 2 ? "Эталонный газойль, партия №2" : "Эталонный газойль, партия №1";
    reference.points = ExtendToFullRange(ReferenceTable(options.referenceLot));
    build.Blank();
    build.CalibrationRun();
    build.CheckRun();
    build.SampleRuns("reference", reference, 15000.0, 1, RoleReference, "reference");
    build.SampleRuns("analysis", diesel, 15000.0, options.analyses, RoleAnalysis, "analysis");
    build.Settings({0, 2, 5});
  } else if (s == "condensate") {
    set.description =
        "Stable gas condensate with light components, a residue that never elutes and "
        "runs with an internal standard: GOST R 56720 method B, GOST R 54291.";
    SampleRecipe condensate = CondensateRecipe(components);
    if (options.endTemperature > 0) {
      if (options.endTemperature <= condensate.points[condensate.points.size() - 2].temperature)
        throw std::invalid_argument("end of elution below the 95 % point");
      condensate.points.back().temperature = options.endTemperature;
    }
    build.Blank();
    build.CalibrationRun();
    build.SampleRuns("analysis", condensate, 12000.0, options.analyses, RoleAnalysis, "analysis");
    build.StandardRuns("analysis", 12000.0, options.analyses);
    build.Settings({3, 4});
  } else {
    set.description =
        "Heavy gas oil whose elution ends past the last calibration component and "
        "past 538 degrees C: the final-boiling-point rules of methods 0, 2, 5.";
    SampleRecipe heavy = HeavyRecipe();
    heavy.points = EndingAt(heavy.points, options.endTemperature > 0 ? options.endTemperature : 551.0);
    build.Blank();
    build.CalibrationRun();
    build.SampleRuns("analysis", heavy, 15000.0, options.analyses, RoleAnalysis, "analysis");
    build.Settings({0, 2, 5});
  }
  build.Expect();
  return set;
}

}  // namespace p528::chrmgen
