// Faithfulness of generated sets: what the files hold agrees with what the generator says
// they hold. Each check measures the written signal independently of how it was made.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

#include "chromatogram_set.h"
#include "host/kit/assay_database.h"
#include "set_writer.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace p528::chrmgen {
namespace {

namespace fs = std::filesystem;

const ComponentTable& Components() {
  static const ComponentTable table = [] {
    ComponentTable t;
    LoadComponentTable(PLUG528_SOURCE_DIR "/data/tqle528data.csv", t);
    return t;
  }();
  return table;
}

// Sets are made once per scenario and options and shared by the tests.
const GeneratedSet& Set(const std::string& scenario, double resolution = 5.0, double tailing = 0.0) {
  static std::map<std::tuple<std::string, double, double>, std::unique_ptr<GeneratedSet>> cache;
  auto& slot = cache[{scenario, resolution, tailing}];
  if (!slot) {
    GeneratorOptions options = ScenarioDefaults(scenario);
    options.column.resolution = resolution;
    options.column.tailing = tailing;
    slot = std::make_unique<GeneratedSet>(GenerateSet(options, Components()));
  }
  return *slot;
}

const GeneratedRun& RunOfRole(const GeneratedSet& set, int role, int ordinal = 0) {
  for (const GeneratedRun& run : set.runs)
    if (run.role == role && (ordinal == 0 || run.ordinal == ordinal)) return run;
  throw std::runtime_error("no run of that role");
}

// Trapezoid area of y between sample indices a and b.
double Trapezoid(const std::vector<double>& y, size_t a, size_t b, double step) {
  double sum = 0;
  for (size_t i = a; i < b; ++i) sum += 0.5 * (y[i] + y[i + 1]) * step;
  return sum;
}

// Difference of the detector levels of two runs before anything elutes (the first 0.3 min,
// before the dead time).
double LevelDifference(const std::vector<double>& run, const std::vector<double>& blank) {
  double sum = 0;
  for (size_t i = 0; i < 180; ++i) sum += run[i] - blank[i];
  return sum / 180;
}

std::vector<double> Widen(const std::vector<float>& samples) { return {samples.begin(), samples.end()}; }

using test::ReadBytes;

TEST(GeneratedSet, ScenariosHoldTheRolesTheirMethodsNeed) {
  struct Row {
    const char* scenario;
    int calibration, blank, analyses, standards, reference, check;
  };
  const Row rows[] = {
      {"gasoil", 1, 1, 3, 0, 1, 1}, {"condensate", 1, 1, 3, 3, 0, 0}, {"heavy", 1, 1, 3, 0, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scenario);
    const GeneratedSet& set = Set(row.scenario);
    std::map<int, int> count;
    std::map<int, std::vector<int64_t>> andates;
    for (const GeneratedRun& run : set.runs) {
      ++count[run.role];
      andates[run.role].push_back(run.file.passport.andate);
      const auto& fields = run.file.passport.fields;
      ASSERT_EQ(fields.size(), 2u);
      EXPECT_EQ(fields[0].title, "Chrm_Type");
      EXPECT_EQ(fields[0].value, run.roleText);
      EXPECT_EQ(fields[1].name, "operator");
      EXPECT_FALSE(fields[1].value.empty());
    }
    EXPECT_EQ(count[1], row.calibration);
    EXPECT_EQ(count[2], row.blank);
    EXPECT_EQ(count[3], row.analyses);
    EXPECT_EQ(count[4], row.standards);
    EXPECT_EQ(count[5], row.reference);
    EXPECT_EQ(count[6], row.check);
    // Parallel runs minutes apart, in the order of their ordinals.
    EXPECT_TRUE(std::is_sorted(andates[3].begin(), andates[3].end()));
    EXPECT_EQ(RunOfRole(set, 3, 1).ordinal, 1);
  }
  EXPECT_EQ(RunOfRole(Set("gasoil"), 1).roleText, "#градуировочная");
  EXPECT_EQ(RunOfRole(Set("gasoil"), 6).roleText, "#проверочная");
}

TEST(GeneratedSet, CalibrationPeaksAreTheNParaffinsNamedAsInTheComponentTable) {
  const auto& peaks = RunOfRole(Set("gasoil"), 1).file.channels[0].peaks;
  ASSERT_EQ(peaks.size(), 40u);  // C5 .. C44
  EXPECT_EQ(peaks.front().name,
            "\xD0\xA1"
            "5");  // Cyrillic С
  EXPECT_EQ(peaks[5].name, "С10");
  EXPECT_EQ(peaks.back().name, "С44");
  for (size_t k = 1; k < peaks.size(); ++k) EXPECT_GT(peaks[k].time, peaks[k - 1].time);
}

// Every listed peak's area, apex time and height measured on the written samples: the run
// drawn again without its individual peaks (same noise) leaves only the peaks.
TEST(GeneratedSet, PeakTablesAgreeWithTheSignal) {
  const GeneratedSet& set = Set("condensate");
  const double step = set.column->Settings().step;
  for (const int role : {1, 3, 4}) {
    const GeneratedRun& run = RunOfRole(set, role);
    SCOPED_TRACE(run.fileName);
    RunPlan background = run.plan;
    background.peaks.clear();
    const std::vector<double> with = Widen(run.file.channels[0].samples);
    const std::vector<double> without = Widen(RenderSamples(background, *set.column));
    std::vector<double> peaks(with.size());
    for (size_t i = 0; i < with.size(); ++i) peaks[i] = with[i] - without[i];
    ASSERT_FALSE(run.file.channels[0].peaks.empty());
    for (const ChrmPeak& p : run.file.channels[0].peaks) {
      SCOPED_TRACE(p.name);
      const size_t a = static_cast<size_t>(std::lround(p.front / step));
      const size_t b = static_cast<size_t>(std::lround(p.back / step));
      EXPECT_EQ(a, static_cast<size_t>(p.left));
      EXPECT_EQ(b, static_cast<size_t>(p.right));
      EXPECT_NEAR(Trapezoid(peaks, a, b, step), p.area, 1e-3 * p.area + 1e-3);
      const size_t apex = static_cast<size_t>(
          std::max_element(peaks.begin() + static_cast<long>(a), peaks.begin() + static_cast<long>(b) + 1) -
          peaks.begin());
      EXPECT_NEAR(static_cast<double>(apex) * step, p.time, 1.01 * step);
      EXPECT_NEAR(peaks[apex], p.height, 2e-3 * p.height + 0.01);
      EXPECT_NEAR(without[a], p.front_base_height, 6 * run.plan.noise + 1e-3);  // noise-free value
    }
  }
}

// The blank-corrected signal of every sample run integrates to the sample's area, and at
// each point of its recipe the eluted share is the recipe's percent.
TEST(GeneratedSet, BlankCorrectedSignalGivesTheSampleBack) {
  for (const char* scenario : {"gasoil", "condensate", "heavy"}) {
    const GeneratedSet& set = Set(scenario);
    const double step = set.column->Settings().step;
    const std::vector<double> blank = Widen(RunOfRole(set, 2).file.channels[0].samples);
    for (const GeneratedRun& run : set.runs) {
      if (run.sampleKey.empty() || run.role == 4) continue;  // standard runs carry the standard too
      SCOPED_TRACE(run.fileName);
      const SampleExpectation& sample = *set.Sample(run.sampleKey);
      const std::vector<double> x = Widen(run.file.channels[0].samples);
      const double level = LevelDifference(x, blank);
      std::vector<double> corrected(x.size());
      for (size_t i = 0; i < x.size(); ++i) corrected[i] = x[i] - blank[i] - level;
      const double total = Trapezoid(corrected, 0, x.size() - 1, step);
      EXPECT_NEAR(total, run.sampleArea * sample.eluted / 100, 5e-4 * run.sampleArea);
      for (const DistributionPoint& point : sample.recipe.points) {
        if (point.percent <= 0 || point.percent >= sample.eluted) continue;
        const size_t i = static_cast<size_t>(std::lround(set.calibration->TimeAt(point.temperature) / step));
        const double percent = Trapezoid(corrected, 0, i, step) / run.sampleArea * 100;
        EXPECT_NEAR(percent, point.percent, 0.02) << "at " << point.temperature << " °C";
      }
    }
  }
}

// The C16/C18 resolution by the half-height rule a calculation applies to the raw samples:
// baseline through the samples at front and back, indices moved inward while below the
// half-height line, width = (j - i + 1) x step.
double HalfHeightWidth(const ChrmChannel& channel, const ChrmPeak& peak) {
  const auto index = [&](double t) {
    return static_cast<size_t>(std::trunc((t - channel.startTime) / channel.step));
  };
  size_t i = index(peak.front), j = index(peak.back);
  const size_t a = index(peak.time);
  const auto& x = channel.samples;
  const double xi = x[i], xj = x[j], fi = static_cast<double>(i), fj = static_cast<double>(j);
  const auto half = [&](size_t k) {
    return xi + (xj - xi) * (static_cast<double>(k) - fi) / (fj - fi) + 0.5 * peak.height;
  };
  while (i < a && x[i] < half(i)) ++i;
  while (j > a && x[j] < half(j)) --j;
  return static_cast<double>(j - i + 1) * channel.step;
}

TEST(GeneratedSet, CalibrationGivesTheRequestedResolution) {
  struct Row {
    double resolution, tailing;
  };
  // 3 with tailing: the heaviest peaks merge into shoulders, which once gave C43 and C44 the
  // same observed top and a calibration that did not rise.
  for (const Row& row : {Row{3.0, 0.0}, Row{5.0, 0.0}, Row{8.0, 0.0}, Row{5.0, 0.3}, Row{3.0, 0.3}}) {
    SCOPED_TRACE(row.resolution);
    SCOPED_TRACE(row.tailing);
    const ChrmChannel& channel = RunOfRole(Set("gasoil", row.resolution, row.tailing), 1).file.channels[0];
    const ChrmPeak *c16 = nullptr, *c18 = nullptr;
    for (const ChrmPeak& p : channel.peaks) {
      if (p.name == "С16") c16 = &p;
      if (p.name == "С18") c18 = &p;
    }
    ASSERT_TRUE(c16 && c18);
    for (size_t k = 1; k < channel.peaks.size(); ++k)
      EXPECT_GT(channel.peaks[k].time, channel.peaks[k - 1].time);
    const double r = 2 * (c18->time - c16->time) /
                     (1.699 * (HalfHeightWidth(channel, *c16) + HalfHeightWidth(channel, *c18)));
    // Within a few percent: the rule counts whole samples, and at low resolution the
    // neighbouring peaks lift the baseline at the boundaries.
    EXPECT_NEAR(r, row.resolution, 0.05 * row.resolution);
  }
}

// Internal-standard arithmetic on the written runs: the sample area found from the window
// between C14 and C17 gives back the residue the sample was built with.
TEST(GeneratedSet, InternalStandardRunsGiveTheResidueBack) {
  const GeneratedSet& set = Set("condensate");
  ASSERT_TRUE(set.standard);
  const double step = set.column->Settings().step;
  const std::vector<double> blank = Widen(RunOfRole(set, 2).file.channels[0].samples);
  const auto& times = set.calibration->Times();
  const auto pointTime = [&](const char* name) {
    for (size_t k = 0; k < set.calibrationNames.size(); ++k)
      if (set.calibrationNames[k] == name) return times[k];
    return -1.0;
  };
  const double w0 = 0.95 * pointTime("С14"), w1 = 1.05 * pointTime("С17");
  EXPECT_GT(set.standard->time, w0);
  EXPECT_LT(set.standard->time, w1);
  const double end = set.calibration->TimeAt(545.0);
  struct Areas {
    double total, window;
  };
  const auto areas = [&](const GeneratedRun& run) {
    const std::vector<double> x = Widen(run.file.channels[0].samples);
    const double level = LevelDifference(x, blank);
    std::vector<double> y(x.size());
    for (size_t i = 0; i < x.size(); ++i) y[i] = x[i] - blank[i] - level;
    const auto at = [&](double t) { return static_cast<size_t>(std::lround(t / step)); };
    return Areas{Trapezoid(y, 0, at(end), step), Trapezoid(y, at(w0), at(w1), step)};
  };
  const double mStd = std::stod(set.standard->standardMass), mSample = std::stod(set.standard->sampleMass);
  const double w = mStd / (mSample + mStd), k = (1 - w) / w;
  const double residue = set.Sample("analysis")->residue;
  EXPECT_NEAR(residue, 3.2, 1e-9);
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    const Areas a = areas(RunOfRole(set, 3, i)), s = areas(RunOfRole(set, 4, i));
    const double sampleArea = ((a.total - a.window) / (s.total - s.window) * s.window - a.window) * k;
    EXPECT_NEAR(100 - a.total / sampleArea * 100, residue, 0.02);
  }
}

TEST(GeneratedSet, CheckMixtureRespondsAlmostEqually) {
  const GeneratedSet& set = Set("gasoil");
  const auto& peaks = RunOfRole(set, 6).file.channels[0].peaks;
  ASSERT_EQ(set.check.size(), peaks.size());
  double c10 = 0;
  for (const CheckComponent& k : set.check)
    if (k.name == "С10") c10 = k.massMg / k.area;
  ASSERT_GT(c10, 0);
  for (size_t i = 0; i < peaks.size(); ++i) {
    EXPECT_EQ(set.check[i].name, peaks[i].name);
    EXPECT_EQ(set.check[i].area, peaks[i].area);
    const double factor = set.check[i].massMg / peaks[i].area / c10;
    EXPECT_DOUBLE_EQ(set.check[i].relativeFactor, factor);
    EXPECT_GT(factor, 0.93) << peaks[i].name;
    EXPECT_LT(factor, 1.07) << peaks[i].name;
  }
}

TEST(GeneratedSet, ExpectedDistributionMeetsTheRecipe) {
  for (const char* scenario : {"gasoil", "heavy"}) {
    const SampleExpectation& e = *Set(scenario).Sample("analysis");
    std::map<double, double> expected;
    for (const ExpectedPoint& p : e.points) expected[p.percent] = p.temperature;
    for (const DistributionPoint& p : e.recipe.points)
      if (expected.count(p.percent)) {
        EXPECT_NEAR(expected[p.percent], p.temperature, 1e-6) << p.percent;
      }
    EXPECT_NEAR(e.eluted, 100.0, 1e-9);
  }
  // The reference follows the certified table of lot 1.
  const SampleExpectation& reference = *Set("gasoil").Sample("reference");
  EXPECT_NEAR(reference.points.front().temperature, 114.0, 1e-6);
  EXPECT_NEAR(reference.points.back().temperature, 475.0, 1e-6);
}

// The heavy set ends past the last calibration point and within a minute past 538 °C; a
// later end lies more than a minute past it.
TEST(GeneratedSet, HeavySampleEndsPastTheCalibration) {
  const GeneratedSet& set = Set("heavy");
  const double t538 = set.calibration->TimeAt(538.0);
  const SampleExpectation& e = *set.Sample("analysis");
  EXPECT_GT(e.elutionEnd, set.calibration->LastTime());
  EXPECT_LT(e.elutionEnd - t538, 1.0);
  GeneratorOptions options = ScenarioDefaults("heavy");
  options.endTemperature = 575.0;
  const GeneratedSet later = GenerateSet(options, Components());
  EXPECT_GT(later.Sample("analysis")->elutionEnd - t538, 1.0);
  EXPECT_EQ(later.Sample("analysis")->points.back().temperature, -1.0);  // 99.5 % beyond C44
}

TEST(GeneratedSet, SameSeedSameBytesOtherSeedOtherNoise) {
  const test::TempFolder folderA, folderB, folderC;
  const fs::path a = folderA.path(), b = folderB.path(), c = folderC.path();
  const std::string components = PLUG528_SOURCE_DIR "/data/tqle528data.csv";
  GeneratorOptions options = ScenarioDefaults("condensate");
  WriteSet(GenerateSet(options, Components()), a.string(), components);
  WriteSet(GenerateSet(options, Components()), b.string(), components);
  options.seed = 529;
  WriteSet(GenerateSet(options, Components()), c.string(), components);
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(a)) {
    const std::string name = entry.path().filename().string();
    if (name == "assays.db") continue;  // holds the folder's full path
    ++files;
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(b / name)) << name;
    if (entry.path().extension() == ".chrm") {
      EXPECT_NE(ReadBytes(entry.path()), ReadBytes(c / name)) << name;
    }
  }
  EXPECT_EQ(files, 8u + 4u);  // chromatograms, table, manifest, masses, assay list
}

// The written files read back with the chromatogram reader, and the assay database finds
// them with the host's own statement.
TEST(GeneratedSet, FilesReadBackAndTheAssayDatabaseFindsThem) {
  const GeneratedSet& set = Set("gasoil");
  const test::TempFolder folder, otherFolder;
  const fs::path dir = folder.path();
  WriteSet(set, dir.string(), PLUG528_SOURCE_DIR "/data/tqle528data.csv");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "assays.db").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(
                db, "SELECT filename FROM [assay] WHERE ishidden = 0 AND isdeleted = 0 AND assay.id = ?;", -1,
                &stmt, nullptr),
            SQLITE_OK);
  for (const GeneratedRun& run : set.runs) {
    SCOPED_TRACE(run.fileName);
    sqlite3_bind_int(stmt, 1, run.assayId);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    const std::string path = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE);
    sqlite3_reset(stmt);
    EXPECT_TRUE(fs::path(path).is_absolute());
    ChrmFile file;
    ASSERT_EQ(file.LoadFromFile(path), 0);
    EXPECT_EQ(file.passport.sample, run.file.passport.sample);
    EXPECT_EQ(file.passport.andate, run.file.passport.andate);
    ASSERT_EQ(file.channels.size(), 1u);
    EXPECT_EQ(file.channels[0].samples, run.file.channels[0].samples);
    EXPECT_EQ(file.channels[0].step, set.column->Settings().step);
    ASSERT_EQ(file.channels[0].peaks.size(), run.file.channels[0].peaks.size());
    for (size_t k = 0; k < file.channels[0].peaks.size(); ++k) {
      EXPECT_EQ(file.channels[0].peaks[k].name, run.file.channels[0].peaks[k].name);
      EXPECT_EQ(file.channels[0].peaks[k].area, run.file.channels[0].peaks[k].area);
    }
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);

  // One database over two sets, rebuilt from their assay lists.
  const fs::path other = otherFolder.path();
  WriteSet(Set("heavy"), other.string(), PLUG528_SOURCE_DIR "/data/tqle528data.csv", false);
  EXPECT_FALSE(fs::exists(other / "assays.db"));
  // Both lists number their runs from 1: the second set's runs get new ids, never the
  // first's rows; indexing again adds nothing.
  const int both = static_cast<int>(set.runs.size() + Set("heavy").runs.size());
  EXPECT_EQ(IndexSets({dir.string(), other.string()}, (dir / "all.db").string()), both);
  EXPECT_EQ(static_cast<int>(hostkit::AssayDatabase((dir / "all.db").string()).List().size()), both);
  EXPECT_EQ(IndexSets({other.string()}, (dir / "all.db").string()), 0);
}

TEST(GeneratedSet, RefusesWhatItCannotBuild) {
  GeneratorOptions unknown = ScenarioDefaults("gasoil");
  unknown.scenario = "kerosene";
  EXPECT_THROW(GenerateSet(unknown, Components()), std::invalid_argument);
  GeneratorOptions early = ScenarioDefaults("heavy");
  early.endTemperature = 520;  // the 95 % point is 515 degrees C
  EXPECT_THROW(GenerateSet(early, Components()), std::invalid_argument);
  GeneratorOptions noStep = ScenarioDefaults("gasoil");
  noStep.column.step = 0;
  EXPECT_THROW(GenerateSet(noStep, Components()), std::invalid_argument);
  GeneratorOptions shortRun = ScenarioDefaults("gasoil");
  shortRun.column.runLength = 0.5;
  EXPECT_THROW(GenerateSet(shortRun, Components()), std::invalid_argument);
  ComponentTable noC18 = Components();
  noC18.erase(noC18.begin() + 17);
  EXPECT_THROW(GenerateSet(ScenarioDefaults("gasoil"), noC18), std::invalid_argument);
  ComponentTable shuffled = Components();
  std::swap(shuffled[20], shuffled[21]);
  EXPECT_THROW(GenerateSet(ScenarioDefaults("gasoil"), shuffled), std::invalid_argument);
}

// chrmgen answered every value out of range with exit 1 and "generator options out of
// range"; the command line now gives exit 2 with the option and its limit.
TEST(GeneratedSet, OptionsOutOfRangeNameTheirLimit) {
  struct Case {
    void (*change)(GeneratorOptions&);
    const char* message;
  };
  const Case cases[] = {
      {[](GeneratorOptions& o) { o.analyses = 12; }, "--analyses must be 1 to 9"},
      {[](GeneratorOptions& o) { o.column.step = 0; }, "--length and --step must be above 0"},
      {[](GeneratorOptions& o) { o.column.runLength = 0.05; },
       "--length / --step must give 100 to 50000000 samples"},
      {[](GeneratorOptions& o) { o.column.resolution = -1; }, "--resolution must be above 0"},
  };
  for (const Case& c : cases) {
    GeneratorOptions options = ScenarioDefaults("gasoil");
    c.change(options);
    EXPECT_NE(OptionsProblem(options).find(c.message), std::string::npos) << OptionsProblem(options);
  }
  EXPECT_EQ(OptionsProblem(ScenarioDefaults("benchmark")), "");
}

}  // namespace
}  // namespace p528::chrmgen
