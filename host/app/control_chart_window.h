// The reference gas oil's control chart in the desktop host: for a chosen instrument and
// percent point, the individual values and the moving ranges drawn with the system's chart
// control (centre line, limits, flagged points ringed), the limits and the baseline (first
// result and count, 1 and 20 by default) to choose, and the flagged points listed. The
// arithmetic and the plots are the host kit's.
#pragma once

#include "host/kit/register/control_chart_plot.h"
#include "host/kit/register/reference_control.h"

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace p528 {
class CChartWidget;
}

namespace p528::host {

class ControlChartWindow : public QWidget {
  Q_OBJECT

 public:
  ControlChartWindow(std::string databasePath, int instrument, QWidget* parent = nullptr);

  // Rereads the register and redraws.
  void Refresh();
  const hostkit::InstrumentControlCharts& charts() const { return charts_; }

 private:
  void ShowPercent();

  std::string databasePath_;
  QComboBox* instrument_;
  QComboBox* percent_;
  QSpinBox* baselineFirst_;
  QSpinBox* baselineCount_;
  QLabel* limits_;
  QListWidget* flagged_;
  hostkit::ControlChartPlot individuals_;
  hostkit::ControlChartPlot ranges_;
  CChartWidget* individualsView_;
  CChartWidget* rangesView_;
  hostkit::InstrumentControlCharts charts_;
};

}  // namespace p528::host
