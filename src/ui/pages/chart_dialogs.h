// The two enlarged chart dialogs, created on demand and run modally:
// - CDlgChart, the X/Y chart dialog of the calibration tab (chart 1007, X/Y edits 1005 and
//   1006, "Рассчитать Y по X" 1008, "Рассчитать X по Y" 1009, click read-outs 1010, 1011);
// - CDlgChartProp, the enlarged distillation chart (chart 1053 and the controls of the
//   three analyses with their click read-outs).
// Their charts are their own but show the opener's arrays, which do not change while a
// modal dialog runs. Each dialog can grow but not shrink below its size when it opened.
#pragma once

#include "chart/chart_owner.h"
#include "chart/qt/chart_widget.h"
#include "workbench/chart_page_rules.h"

#include <QDialog>
#include <vector>

class QLineEdit;

namespace p528 {
class Shell;
}

namespace p528::ui {

class AnalysisControls;
class DialogSeams;

class CDlgChart final : public QDialog, public ChartOwner {
  Q_OBJECT

 public:
  CDlgChart(const Shell& shell, QWidget* parent = nullptr);
  // Title and the two axis captions, set by the opener before the dialog runs.
  void SetTexts(const QString& title, const std::string& xCaption, const std::string& yCaption);
  // Series 0 (curve) and 1 (points) show copies of the opener's points.
  void SetCurve(const std::vector<double>& x, const std::vector<double>& y);
  CChartWidget& ChartWindow() { return *chart_; }

  int OnChartClick(CChart& chart) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;  // the place and size are remembered

 private:
  const Shell& shell_;
  CChartWidget* chart_;
  QLineEdit* x_;
  QLineEdit* y_;
  QLineEdit* readX_;
  QLineEdit* readY_;
};

class CDlgChartProp final : public QDialog, public ChartOwner {
  Q_OBJECT

 public:
  CDlgChartProp(const Shell& shell, DialogSeams& seams, QWidget* parent = nullptr);
  // Takes the page's curves and swatch colours; false when no curve has points.
  bool TakeCurves(const CChart& page, const std::array<COLORREF, kAnalysisCurves>& colours);
  CChartWidget& ChartWindow() { return *chart_; }
  AnalysisControls& Controls() { return *controls_; }

  int OnChartClick(CChart& chart) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;  // the place and size are remembered

 private:
  const Shell& shell_;
  CChartWidget* chart_;
  AnalysisControls* controls_;
};

}  // namespace p528::ui
