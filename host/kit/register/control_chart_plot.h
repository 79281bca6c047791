// One percent point's control chart drawn by the system's chart control: the individual
// values (line with circles) or the moving ranges, the centre line and the limits (dashed),
// and the flagged points ringed in red. The X axis counts the results (1, 2, ...). The chart
// keeps copies of the points; it holds its paint lock, so the plot stays in place.
#pragma once

#include "chart/chart.h"
#include "chart/chart_picture.h"
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
  // The chart as a picture, for drawing it into a file.
  ChartPicture picture() const;

 private:
  CChart chart_;
  std::vector<double> x_, y_;
  std::vector<double> flaggedX_, flaggedY_;
  std::vector<double> lineX_;
  std::vector<double> centre_, upper_, lower_;
};

}  // namespace p528::hostkit
