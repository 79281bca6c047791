// CDlgPropChart: the distillation chart page. Its chart (1053) shows the workbench's curves
// of analyses 1-3; beside it the three analyses' groups (show flag, colour swatch, X/Y
// calculators). Show flags, colours and texts survive recalculations. A double click on the
// chart opens the enlarged dialog CDlgChartProp with the page's curves and colours.
#pragma once

#include "chart/chart_owner.h"
#include "chart/qt/chart_widget.h"

#include <QWidget>

namespace p528 {
class Workbench;
}

namespace p528::ui {

class AnalysisControls;
class DialogSeams;

class CDlgPropChart final : public QWidget, public ChartOwner {
  Q_OBJECT

 public:
  CDlgPropChart(Workbench& workbench, DialogSeams& seams, QWidget* parent = nullptr);
  CChartWidget& ChartWindow() { return *chart_; }
  AnalysisControls& Controls() { return *controls_; }
  // Opens the enlarged chart when a curve has points (runs modally).
  void OpenEnlargedChart();

  int OnChartMouse(CAutoCtrl& chart, const ChartMouseEvent& event) override;

 private:
  Workbench& workbench_;
  DialogSeams& seams_;
  CChartWidget* chart_;
  AnalysisControls* controls_;
};

}  // namespace p528::ui
