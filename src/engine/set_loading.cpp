#include "engine/set_loading.h"

#include "chromatogram/chrm_role.h"
#include "engine/analysis.h"
#include "engine/calibration.h"

namespace p528 {

bool LoadSetIntoEngine(const ChrmSet& set, CAnalysis& engine) {
  const double timeStartSample = engine.TimeStartSampleValue();
  bool calibrationMet = false;
  for (const auto& [path, file] : set) {
    switch (file.role) {
      case RoleCalibration:
        engine.calibration.CalibrationChrm = &file;
        calibrationMet = true;
        break;
      case RoleBlank: engine.LoadResult(engine.Blank, timeStartSample, file); break;
      case RoleAnalysis:
        if (file.ordinal >= 1) engine.AddAnalysis(file);
        break;
      case RoleStandard:
        if (file.ordinal >= 1) engine.AddStdRun(file);
        break;
      case RoleReference: engine.LoadResult(engine.Reference, timeStartSample, file); break;
      case RoleCheck: engine.calibration.CheckChrm = &file; break;
      default: break;
    }
  }
  return calibrationMet;
}

}  // namespace p528
