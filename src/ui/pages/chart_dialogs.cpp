#include "ui/pages/chart_dialogs.h"

#include "engine/texts/calculation_texts.h"
#include "ui/control_ids.h"
#include "ui/numeric_edit.h"
#include "ui/pages/analysis_controls.h"
#include "ui/ui_text.h"
#include "ui/window_icon.h"
#include "ui/window_place_qt.h"
#include "ui/window_texts.h"
#include "workbench/window_place.h"
#include "workbench/workbench_texts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace p528::ui {

namespace {

// Built-in opening sizes of the two dialogs, pixels.
const QSize kCurveDialogSize(760, 520);
const QSize kAnalysisDialogSize(980, 640);

// The dialog can grow but not shrink below the size it opens with: its built-in size (or
// less, when the screen's work area is smaller), whatever size it was remembered at.
void KeepOpeningSizeAsMinimum(QDialog& dialog, QSize builtIn) {
  static const char* const kKept = "openingSizeKept";
  if (dialog.property(kKept).toBool()) return;
  dialog.setProperty(kKept, true);
  dialog.setMinimumSize(builtIn.boundedTo(dialog.size()));
}

}  // namespace

CDlgChart::CDlgChart(const Shell& shell, QWidget* parent)
    : QDialog(parent),
      shell_(shell),
      chart_(new CChartWidget(this)),
      x_(new QLineEdit(this)),
      y_(new QLineEdit(this)),
      readX_(new QLineEdit(this)),
      readY_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("139"));
  setWindowIcon(WindowIcon());
  SetUpCurveChart(chart_->Chart(), shell.Str(text::kCaptionTimeMin), shell.Str(text::kCaptionTempC));
  chart_->setObjectName(Id(control::curve_dialog::kChart));
  chart_->SetOwner(this);
  x_->setObjectName(Id(control::curve_dialog::kX));
  y_->setObjectName(Id(control::curve_dialog::kY));
  readX_->setObjectName(Id(control::curve_dialog::kReadX));
  readY_->setObjectName(Id(control::curve_dialog::kReadY));
  readX_->setReadOnly(true);
  readY_->setReadOnly(true);
  MakeNumericEdit(x_);
  MakeNumericEdit(y_);
  auto* calculateY = new QPushButton(Text(shell, text::kCalculateY), this);
  calculateY->setObjectName(Id(control::curve_dialog::kCalculateY));
  auto* calculateX = new QPushButton(Text(shell, text::kCalculateX), this);
  calculateX->setObjectName(Id(control::curve_dialog::kCalculateX));
  for (QPushButton* button : {calculateY, calculateX}) button->setAutoDefault(false);
  connect(calculateY, &QPushButton::clicked, this,
          [this] { y_->setText(Qs(CurveCalculatorText(chart_->Chart(), 0, true, Std(x_->text())))); });
  connect(calculateX, &QPushButton::clicked, this,
          [this] { x_->setText(Qs(CurveCalculatorText(chart_->Chart(), 0, false, Std(y_->text())))); });

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(Text(shell, text::kXLabel), this));
  row->addWidget(x_, 1);
  row->addWidget(new QLabel(Text(shell, text::kYLabel), this));
  row->addWidget(y_, 1);
  row->addWidget(calculateY);
  row->addWidget(calculateX);
  row->addSpacing(12);
  row->addWidget(new QLabel(Text(shell, text::kXLabel), this));
  row->addWidget(readX_, 1);
  row->addWidget(new QLabel(Text(shell, text::kYLabel), this));
  row->addWidget(readY_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart_, 1);
  layout->addLayout(row);
  RestoreWindowPlace(*this, shell_, kCalibrationChartPlaceKey, kCurveDialogSize, minimumSizeHint());
}

void CDlgChart::SetTexts(const QString& title, const std::string& xCaption, const std::string& yCaption) {
  setWindowTitle(title);
  chart_->Chart().SetXCaption(xCaption);
  chart_->Chart().SetYCaption(yCaption);
}

void CDlgChart::SetCurve(const std::vector<double>& x, const std::vector<double>& y) {
  chart_->Chart().SetCurve(0, x, y);
  chart_->Chart().SetCurve(1, x, y);
  chart_->Chart().Invalidate();
}

int CDlgChart::OnChartClick(CChart& chart) {
  ReadOutTexts readOut{Std(readX_->text()), Std(readY_->text())};
  CurveClickReadOut(chart, readOut);
  readX_->setText(Qs(readOut.x));
  readY_->setText(Qs(readOut.y));
  return 0;
}

void CDlgChart::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  KeepOpeningSizeAsMinimum(*this, kCurveDialogSize);
}

void CDlgChart::hideEvent(QHideEvent* event) {
  RememberWindowPlace(*this, shell_, kCalibrationChartPlaceKey);
  QDialog::hideEvent(event);
}

CDlgChartProp::CDlgChartProp(const Shell& shell, DialogSeams& seams, QWidget* parent)
    : QDialog(parent), shell_(shell), chart_(new CChartWidget(this)) {
  setObjectName(QStringLiteral("151"));
  setWindowIcon(WindowIcon());
  setWindowTitle(Text(shell, text::kDistillationEnlargedTitle));
  // The dialog's own "t, °C", as the page's chart has it.
  SetUpAnalysisChart(chart_->Chart(), kAnalysisCurveColours, "t, °C", shell.Str(text::kDistillationYCaption));
  chart_->setObjectName(Id(control::distillation::kChart));
  chart_->SetOwner(this);
  controls_ = new AnalysisControls(shell, seams, chart_->Chart(), this, true, QString());

  auto* column = new QVBoxLayout;
  for (int k = 0; k < kAnalysisCurves; ++k) column->addWidget(controls_->Group(k).group);
  column->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(column);
  layout->addWidget(chart_, 1);
  RestoreWindowPlace(*this, shell_, kDistillationChartPlaceKey, kAnalysisDialogSize, minimumSizeHint());
}

bool CDlgChartProp::TakeCurves(const CChart& page, const std::array<COLORREF, kAnalysisCurves>& colours) {
  controls_->SetColours(colours);
  return CopyAnalysisCurves(page, chart_->Chart(), colours);
}

int CDlgChartProp::OnChartClick(CChart&) {
  controls_->ClickReadOut();
  return 0;
}

void CDlgChartProp::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  KeepOpeningSizeAsMinimum(*this, kAnalysisDialogSize);
}

void CDlgChartProp::hideEvent(QHideEvent* event) {
  RememberWindowPlace(*this, shell_, kDistillationChartPlaceKey);
  QDialog::hideEvent(event);
}

}  // namespace p528::ui
