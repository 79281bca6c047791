// CTabCalibChart: the calibration tab. The points list and the chart show the calibration
// of the workbench; the X/Y calculator reads the curve; the C1-C4 retention times are
// filtered, stored on each change and followed by a recalculation request; the read-only
// resolution field shows the C16/C18 resolution. A double click on the chart opens the
// enlarged X/Y chart (CDlgChart) over the same curve.
//
// Control ids (the tab's own): chart 1100, points list 1101, X 1102, Y 1103,
// "Рассчитать Y по X" 1104, "Рассчитать X по Y" 1105, C1-C4 1106-1109, resolution 1110.
#pragma once

#include "chart/chart_owner.h"
#include "chart/qt/chart_widget.h"
#include "grid/qt/grid_ctrl.h"

#include <QWidget>
#include <array>
#include <functional>

class QLineEdit;

namespace p528 {
class Workbench;
}

namespace p528::ui {

class CTabCalibChart final : public QWidget, public ChartOwner {
  Q_OBJECT

 public:
  // `requestRecalculation` queues the main window's recalculation (its request 0x402).
  CTabCalibChart(Workbench& workbench, std::function<void()> requestRecalculation, QWidget* parent = nullptr);

  // Shows the workbench's calibration after a recalculation.
  void Refresh();
  CChartWidget& ChartWindow() { return *chart_; }
  // Opens the enlarged chart when there is a calibration curve (runs modally).
  void OpenEnlargedChart();

  int OnChartMouse(CAutoCtrl& chart, const ChartMouseEvent& event) override;

 private:
  void Calculate(bool yFromX);

  Workbench& workbench_;
  std::function<void()> requestRecalculation_;
  CChartWidget* chart_;
  CGridCtrl* points_;
  QLineEdit* x_;
  QLineEdit* y_;
  std::array<QLineEdit*, 4> times_{};
  QLineEdit* resolution_;
};

}  // namespace p528::ui
