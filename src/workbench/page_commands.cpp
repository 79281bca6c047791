#include "workbench/page_commands.h"

#include "workbench/workbench.h"

namespace p528 {

void ChangeCalibrationTime(Workbench& workbench, int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(workbench.calibration.timeC.size())) return;
  workbench.calibration.SetTime(workbench.shell, index, text, workbench.components);
}

std::string CalculateCalibration(Workbench& workbench, const std::string& textX, const std::string& textY,
                                 bool yFromX) {
  CalibrationTab& tab = workbench.calibration;
  tab.textX = textX;
  tab.textY = textY;
  if (yFromX) {
    tab.CalculateY();
    return tab.textY;
  }
  tab.CalculateX();
  return tab.textX;
}

const std::string& FilterMessages(Workbench& workbench, bool errors, bool warnings, bool information) {
  MessageLog& log = workbench.messages;
  log.showErrors = errors;
  log.showWarnings = warnings;
  log.showInformation = information;
  return log.Format();
}

}  // namespace p528
