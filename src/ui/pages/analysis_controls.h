// The controls of the three analyses beside a distillation chart, shared by the chart page
// (CDlgPropChart) and its enlarged dialog (CDlgChartProp): per analysis a group box
// "Анализ k" with the check box "Отобразить", the colour swatch, the X and Y edits and the
// buttons "Рассчитать Y" / "Рассчитать X"; the dialog adds the click read-outs. The
// decisions (calculator, show flags, colours, read-out) are the core's chart page rules.
#pragma once

#include "chart/chart.h"
#include "workbench/chart_page_rules.h"

#include <QObject>
#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace p528 {
class Shell;
}

namespace p528::ui {

class CColourSwatch;
class DialogSeams;

struct AnalysisGroup {
  QGroupBox* group = nullptr;
  QCheckBox* show = nullptr;
  CColourSwatch* swatch = nullptr;
  QLineEdit* x = nullptr;
  QLineEdit* y = nullptr;
  QPushButton* calculateY = nullptr;
  QPushButton* calculateX = nullptr;
  QLineEdit* readX = nullptr;  // enlarged dialog only
  QLineEdit* readY = nullptr;
};

class AnalysisControls final : public QObject {
  Q_OBJECT

 public:
  // Builds the three groups as children of `parent` for `chart` (not owned). `initialText`
  // fills the six edits ("0.0" on the page, "" in the dialog).
  AnalysisControls(const Shell& shell, DialogSeams& seams, CChart& chart, QWidget* parent, bool withReadOuts,
                   const QString& initialText);

  AnalysisGroup& Group(int k) { return groups_[static_cast<std::size_t>(k)]; }
  std::array<COLORREF, kAnalysisCurves> Colours() const;
  std::array<bool, kAnalysisCurves> Shown() const;
  // Sets the swatch colours (and the curves' colours).
  void SetColours(const std::array<COLORREF, kAnalysisCurves>& colours);
  // The click read-out: fills the read-outs of the curves that have points.
  void ClickReadOut();

 private:
  void ChooseColour(int k);
  void ApplyShowFlags();

  DialogSeams& seams_;
  CChart& chart_;
  QWidget* parent_;
  std::array<AnalysisGroup, kAnalysisCurves> groups_;
};

}  // namespace p528::ui
