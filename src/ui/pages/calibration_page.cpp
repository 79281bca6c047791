#include "ui/pages/calibration_page.h"

#include "engine/texts/calculation_texts.h"
#include "ui/control_ids.h"
#include "ui/numeric_edit.h"
#include "ui/pages/chart_dialogs.h"
#include "ui/pages/enlarge_keys.h"
#include "ui/ui_text.h"
#include "ui/window_texts.h"
#include "workbench/chart_page_rules.h"
#include "workbench/workbench.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace p528::ui {

namespace calid = control::calibration;

CTabCalibChart::CTabCalibChart(Workbench& workbench, std::function<void()> requestRecalculation,
                               QWidget* parent)
    : QWidget(parent),
      workbench_(workbench),
      requestRecalculation_(std::move(requestRecalculation)),
      chart_(new CChartWidget(workbench.calibrationChartForView(), this)),
      points_(new CGridCtrl(this)),
      x_(new QLineEdit(this)),
      y_(new QLineEdit(this)),
      resolution_(new QLineEdit(this)) {
  const Shell& shell = workbench.shell();
  chart_->setObjectName(Id(calid::kChart));
  chart_->SetOwner(this);
  EnlargeOnKeys(*chart_, [this] { OpenEnlargedChart(); });
  points_->setObjectName(Id(calid::kPoints));
  points_->SetTable(&workbench.calibrationPointsForView());
  x_->setObjectName(Id(calid::kX));
  y_->setObjectName(Id(calid::kY));
  MakeNumericEdit(x_);
  MakeNumericEdit(y_);
  resolution_->setObjectName(Id(calid::kResolution));
  resolution_->setReadOnly(true);
  // A read-only field looks like one: the window's background, not an edit's white.
  QPalette readOnly = resolution_->palette();
  readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
  resolution_->setPalette(readOnly);

  auto* calculateY = new QPushButton(Text(shell, text::kCalculateY), this);
  calculateY->setObjectName(Id(calid::kCalculateY));
  auto* calculateX = new QPushButton(Text(shell, text::kCalculateX), this);
  calculateX->setObjectName(Id(calid::kCalculateX));
  for (QPushButton* button : {calculateY, calculateX}) button->setAutoDefault(false);
  connect(calculateY, &QPushButton::clicked, this, [this] { Calculate(true); });
  connect(calculateX, &QPushButton::clicked, this, [this] { Calculate(false); });

  auto* calculator = new QGroupBox(Text(shell, text::kCalibrationCalculator), this);
  auto* calculatorForm = new QFormLayout(calculator);
  calculatorForm->addRow(Text(shell, text::kCalibrationXAxis), x_);
  calculatorForm->addRow(Text(shell, text::kCalibrationYAxis), y_);
  calculatorForm->addRow(calculateY);
  calculatorForm->addRow(calculateX);

  auto* times = new QGroupBox(Text(shell, text::kCalibrationTimes), this);
  auto* timesForm = new QFormLayout(times);
  for (int k = 0; k < 4; ++k) {
    QLineEdit* edit = new QLineEdit(times);
    edit->setObjectName(Id(calid::kFirstTime + k));
    times_[static_cast<std::size_t>(k)] = edit;
    timesForm->addRow(Text(shell, text::kCalibrationFirstTime + k), edit);
    MakeNumericEdit(edit, [this, k, edit] {
      // Stored and put into the component rows now; the recalculation follows on the
      // window's event loop.
      if (!workbench_.StoreCalibrationTime(k, Std(edit->text()))) return;
      points_->Refresh();
      if (requestRecalculation_) requestRecalculation_();
    });
  }

  auto* resolutionForm = new QFormLayout;
  resolutionForm->addRow(Text(shell, text::kCalibrationResolution), resolution_);

  auto* side = new QVBoxLayout;
  side->addWidget(points_, 1);
  side->addWidget(calculator);
  side->addWidget(times);
  side->addLayout(resolutionForm);
  points_->setMinimumWidth(190);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(side, 0);
  layout->addWidget(chart_, 1);
  Refresh();
}

void CTabCalibChart::Refresh() {
  const CalibrationTab& tab = workbench_.calibrationTab();
  points_->Refresh();
  x_->setText(Qs(tab.textX));
  y_->setText(Qs(tab.textY));
  for (int k = 0; k < 4; ++k) {
    QLineEdit* edit = times_[static_cast<std::size_t>(k)];
    const QString text = Qs(tab.timeC[static_cast<std::size_t>(k)]);
    if (edit->text() != text) edit->setText(text);
  }
  resolution_->setText(Qs(tab.ResolutionText()));
}

void CTabCalibChart::Calculate(bool yFromX) {
  const std::string result = yFromX ? workbench_.CalculateCalibrationY(Std(x_->text()))
                                    : workbench_.CalculateCalibrationX(Std(y_->text()));
  (yFromX ? y_ : x_)->setText(Qs(result));
}

void CTabCalibChart::OpenEnlargedChart() {
  const CalibrationTab& tab = workbench_.calibrationTab();
  const CalibCurve& curve = tab.curve;
  if (tab.CalibrationChrm == nullptr || curve.times.empty() || curve.times.size() != curve.temps.size())
    return;
  const Shell& shell = workbench_.shell();
  CDlgChart dialog(shell, this);
  dialog.SetTexts(Text(shell, text::kCalibrationEnlargedTitle), shell.Str(text::kCaptionTimeMin),
                  shell.Str(text::kCaptionTempC));
  dialog.SetCurve(curve.times, curve.temps);
  dialog.exec();
}

int CTabCalibChart::OnChartMouse(CAutoCtrl&, const ChartMouseEvent& event) {
  if (event.kind == ChartMouseEvent::DoubleClick) OpenEnlargedChart();
  return 0;
}

}  // namespace p528::ui
