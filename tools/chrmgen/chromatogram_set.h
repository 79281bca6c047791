// Generation of complete chromatogram sets from named scenarios: the oracle of the
// calculation. Every set is built from known physical inputs (column, detector, sample
// boiling-point distributions, masses), and carries what a calculation must give back:
// the expected distribution of every sample (percent off against time and boiling point),
// the calibration points, the check-mixture factors, the internal-standard masses.
//
// Scenarios:
//   gasoil      calibration, blank, check mixture, reference gas oil, three parallel analyses
//               of a diesel fuel (area-normalisation methods 0, 2, 5);
//   condensate  calibration, blank, three analyses of a stable gas condensate with light
//               components and a residue, three runs with an internal standard (methods 3, 4);
//   heavy       calibration, blank, three analyses of a heavy gas oil whose elution ends past
//               the last calibration component and past 538 degrees C (methods 0, 2, 5);
//   benchmark   the gasoil set as 60-minute runs sampled at 50 Hz.
//
// Everything depends only on the options and the component table: the same seed gives the
// same bytes. Times in minutes, temperatures in degrees C, areas in detector units x minutes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "assay_db.h"
#include "calibration_map.h"
#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "column_model.h"
#include "run_renderer.h"
#include "sample_profile.h"

namespace p528::chrmgen {

struct GeneratorOptions {
  std::string scenario = "gasoil";
  uint64_t seed = 528;
  ColumnSettings column;         // run length, sampling interval, resolution, tailing
  double noise = 0.1;            // detector noise, standard deviation in detector units
  int spikes = 0;                // single-sample spikes per run
  bool solvent = false;          // a solvent peak in the blank and the sample runs
  int analyses = 3;              // parallel analysis runs (and internal-standard runs)
  int referenceLot = 1;          // reference gas oil: 1 or 2
  double endTemperature = -1.0;  // where the analysed sample stops eluting (its 99.5 % point
                                 // 10 degrees before); -1: the scenario's own
  int assayIdBase = 0;           // first assay id; 0: the scenario's own (101, 201, ...)
  int day = 0;                   // the day of the runs after the first (the scenario's own: each
                                 // set has its own blank and calibration); it shifts the run times
                                 // and the random streams
};

// Why `options` cannot be generated, naming the option and its limit ("--analyses must be 1
// to 9"); "" when they can. GenerateSet throws std::invalid_argument with this text.
std::string OptionsProblem(const GeneratorOptions& options);

// Names of the scenarios, in the order above.
std::vector<std::string> ScenarioNames();
// The options a scenario starts from (the benchmark changes run length and sampling).
GeneratorOptions ScenarioDefaults(const std::string& scenario);

// What a calculation must find for one sample.
struct ExpectedPoint {
  double percent = 0;      // percent of the whole sample eluted
  double time = 0;         // minutes
  double temperature = 0;  // degrees C through the calibration; -1.0 outside the calibration
};

struct SampleExpectation {
  std::string key;                    // "analysis", "reference"
  std::string name;                   // passport sample name
  SampleRecipe recipe;                // the target the sample was built from
  double eluted = 0;                  // percent of the sample that elutes (100 - residue)
  double residue = 0;                 // percent that never elutes
  double elutionStart = 0;            // minutes
  double elutionEnd = 0;              // minutes: where the last of the sample has eluted
  double elutionEndTemperature = 0;   // boiling point there (extrapolated past the calibration)
  std::vector<ExpectedPoint> points;  // 0.5, 1, 2, ..., 99, 99.5 as far as it elutes
  std::vector<std::pair<double, double>> cumulativeAt;  // (degrees C, percent eluted below)
  std::vector<SamplePeak> peaks;                        // individual peaks (areas in percent of the sample)
};

struct CheckComponent {
  std::string name;           // peak name (additional name of the component)
  double massMg = 0;          // mass in the check mixture (component table)
  double area = 0;            // peak table area
  double relativeFactor = 0;  // (mass / area) / (mass C10 / area C10), as the check computes it
};

struct InternalStandard {
  std::string name;
  double time = 0;           // minutes, inside the window between C14 and C17
  std::string sampleMass;    // "Масса пробы, г" as the user types it
  std::string standardMass;  // "Масса внутр. стандарта, г"
};

struct GeneratedRun {
  std::string fileName;  // inside the set folder
  int role = 0;          // role number (1 calibration ... 6 check)
  std::string roleText;  // passport "Chrm_Type" value
  int ordinal = 0;       // 1.. for parallel analyses and standard runs, else 0
  int assayId = 0;
  std::string sampleKey;  // the SampleExpectation shown, "" for none
  double sampleArea = 0;  // area of 100 % of the sample in this run
  RunPlan plan;           // what the signal is made of
  ChrmFile file;          // passport, samples and peak table
};

struct GeneratedSet {
  GeneratorOptions options;
  std::string description;
  std::vector<int> methods;                                   // calculation methods it serves
  std::vector<std::pair<std::string, std::string>> settings;  // settings key -> text as typed
  std::unique_ptr<ColumnModel> column;
  std::unique_ptr<CalibrationMap> calibration;
  std::vector<std::string> calibrationNames;             // name of every calibration point
  std::vector<std::unique_ptr<SampleProfile>> profiles;  // referenced by the runs' plans
  std::vector<SampleExpectation> samples;
  std::vector<CheckComponent> check;
  std::unique_ptr<InternalStandard> standard;
  std::vector<GeneratedRun> runs;

  const SampleExpectation* Sample(const std::string& key) const;
  std::vector<AssayRow> Assays(const std::string& folder) const;  // full paths under folder
};

// Builds a set in memory. Throws std::invalid_argument on an unknown scenario, options out of
// range, or a component table without the n-paraffins the scenario needs.
GeneratedSet GenerateSet(const GeneratorOptions& options, const ComponentTable& components);

}  // namespace p528::chrmgen
