#include "ui/pages/distillation_page.h"

#include "ui/control_ids.h"
#include "ui/pages/analysis_controls.h"
#include "ui/pages/chart_dialogs.h"
#include "ui/pages/enlarge_keys.h"
#include "ui/ui_text.h"
#include "workbench/workbench.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace p528::ui {

CDlgPropChart::CDlgPropChart(Workbench& workbench, DialogSeams& seams, QWidget* parent)
    : QWidget(parent),
      workbench_(workbench),
      seams_(seams),
      chart_(new CChartWidget(workbench.distillationChartForView(), this)) {
  chart_->setObjectName(Id(control::distillation::kChart));
  chart_->SetOwner(this);
  controls_ = new AnalysisControls(workbench.shell(), seams, workbench.distillationChartForView(), this,
                                   false, QStringLiteral("0.0"));
  auto* column = new QVBoxLayout;
  for (int k = 0; k < kAnalysisCurves; ++k) column->addWidget(controls_->Group(k).group);
  column->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(column);
  layout->addWidget(chart_, 1);
  EnlargeOnKeys(*chart_, [this] { OpenEnlargedChart(); });
}

void CDlgPropChart::OpenEnlargedChart() {
  CDlgChartProp dialog(workbench_.shell(), seams_, this);
  if (!dialog.TakeCurves(chart_->Chart(), controls_->Colours())) return;
  dialog.exec();
}

int CDlgPropChart::OnChartMouse(CAutoCtrl&, const ChartMouseEvent& event) {
  if (event.kind == ChartMouseEvent::DoubleClick) OpenEnlargedChart();
  return 0;
}

}  // namespace p528::ui
