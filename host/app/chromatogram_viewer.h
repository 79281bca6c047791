// The chromatogram viewer ("Main/OpenAssayFile"): one window per file with the signal of
// its first channel drawn by the project's chart control (time in minutes against signal,
// rubber-band zoom and scroll bars, the named peaks marked at their apex), the passport
// fields and the peak table. A file that does not read shows why instead of a chart.
#pragma once

#include "chromatogram/chrm_file.h"

#include <QWidget>

#include <string>
#include <vector>

namespace p528 {
class CChartWidget;
}

namespace p528::host {

class ChromatogramViewer : public QWidget {
  Q_OBJECT

 public:
  ChromatogramViewer(const std::string& path, QWidget* parent = nullptr);

  bool loaded() const { return status_ == 0; }
  int status() const { return status_; }

 private:
  QWidget* MakeChart();
  QWidget* MakePassport();
  QWidget* MakePeaks();

  std::string path_;
  ChrmFile file_;
  int status_ = 0;
  // The chart shows these arrays (it never owns point data).
  std::vector<double> times_, signal_, peakTimes_, peakHeights_;
};

}  // namespace p528::host
