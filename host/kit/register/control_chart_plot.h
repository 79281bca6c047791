// One percent point's control chart drawn by the system's chart control: the individual
// values (line with circles) or the moving ranges, the centre line and the limits (dashed),
// and the flagged points ringed in red. The X axis counts the results (1, 2, ...). The plot
// owns the arrays its chart points at, so it stays in place while shown.
#pragma once

#include "chart/chart.h"
#include "host/kit/register/control_chart.h"

#include <string>
#include <vector>

namespace p528::hostkit {

enum class ControlPlotKind { Individuals, MovingRanges };

class ControlChartPlot {
 public:
  ControlChartPlot();
  ControlChartPlot(const ControlChartPlot&) = delete;
  ControlChartPlot& operator=(const ControlChartPlot&) = delete;

  // Shows `series` with the captions given (UTF-8); an empty series clears the chart.
  void Show(const ControlSeries& series, ControlPlotKind kind, const std::string& xCaption,
            const std::string& yCaption);

  CChart& chart() { return chart_; }

 private:
  CChart chart_;
  std::vector<double> x_, y_;
  std::vector<double> flaggedX_, flaggedY_;
  std::vector<double> lineX_;
  std::vector<double> centre_, upper_, lower_;
};

}  // namespace p528::hostkit
