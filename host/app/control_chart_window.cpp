#include "control_chart_window.h"

#include "register_texts.h"

#include "chart/qt/chart_widget.h"
#include "host/kit/assay_database.h"
#include "shell/database.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace p528::host {

namespace {

QString Number(double value) { return QString::number(value, 'f', 2); }

QString FlagsText(unsigned flags) {
  QStringList parts;
  if ((flags & hostkit::BeyondLimits) != 0) parts << RegisterTr(RegisterText::FlagBeyond);
  if ((flags & hostkit::RunOnOneSide) != 0) parts << RegisterTr(RegisterText::FlagRun);
  if ((flags & hostkit::Trend) != 0) parts << RegisterTr(RegisterText::FlagTrend);
  if ((flags & hostkit::MovingRangeBeyondLimit) != 0) parts << RegisterTr(RegisterText::FlagMovingRange);
  return parts.join(QStringLiteral(", "));
}

}  // namespace

ControlChartWindow::ControlChartWindow(std::string databasePath, int instrument, QWidget* parent)
    : QWidget(parent, Qt::Window), databasePath_(std::move(databasePath)) {
  setObjectName(QStringLiteral("control-chart"));
  setWindowTitle(RegisterTr(RegisterText::ChartTitle));
  auto* layout = new QVBoxLayout(this);
  auto* choices = new QHBoxLayout;
  instrument_ = new QComboBox;
  instrument_->setObjectName(QStringLiteral("instrument"));
  percent_ = new QComboBox;
  percent_->setObjectName(QStringLiteral("percent"));
  baselineFirst_ = new QSpinBox;
  baselineFirst_->setObjectName(QStringLiteral("baseline-first"));
  baselineFirst_->setRange(1, 100000);
  baselineCount_ = new QSpinBox;
  baselineCount_->setObjectName(QStringLiteral("baseline-count"));
  baselineCount_->setRange(2, 100000);
  baselineCount_->setValue(20);
  choices->addWidget(new QLabel(RegisterTr(RegisterText::ChartInstrument)));
  choices->addWidget(instrument_);
  choices->addWidget(new QLabel(RegisterTr(RegisterText::ChartPercent)));
  choices->addWidget(percent_);
  choices->addWidget(new QLabel(RegisterTr(RegisterText::ChartBaseline)));
  choices->addWidget(new QLabel(RegisterTr(RegisterText::ChartBaselineFrom)));
  choices->addWidget(baselineFirst_);
  choices->addWidget(baselineCount_);
  choices->addWidget(new QLabel(RegisterTr(RegisterText::ChartBaselineCount)));
  choices->addStretch();
  layout->addLayout(choices);

  limits_ = new QLabel;
  limits_->setObjectName(QStringLiteral("limits"));
  layout->addWidget(limits_);
  auto* body = new QHBoxLayout;
  auto* charts = new QVBoxLayout;
  individualsView_ = new CChartWidget(individuals_.chart());
  individualsView_->setObjectName(QStringLiteral("individuals"));
  rangesView_ = new CChartWidget(ranges_.chart());
  rangesView_->setObjectName(QStringLiteral("moving-ranges"));
  individualsView_->setMinimumSize(600, 260);
  rangesView_->setMinimumSize(600, 180);
  charts->addWidget(individualsView_, 3);
  charts->addWidget(rangesView_, 2);
  body->addLayout(charts, 3);
  flagged_ = new QListWidget;
  flagged_->setObjectName(QStringLiteral("flagged"));
  body->addWidget(flagged_, 1);
  layout->addLayout(body);

  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    for (const int number : store.Instruments()) instrument_->addItem(QString::number(number), number);
  } catch (const DataBase::SqlException& error) {
    limits_->setText(QString::fromStdString(error.what()));
  }
  const int index = instrument_->findData(instrument);
  if (index >= 0) instrument_->setCurrentIndex(index);
  connect(instrument_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(baselineFirst_, &QSpinBox::valueChanged, this, [this] { Refresh(); });
  connect(baselineCount_, &QSpinBox::valueChanged, this, [this] { Refresh(); });
  connect(percent_, &QComboBox::currentIndexChanged, this, [this] { ShowPercent(); });
  resize(1000, 620);
  Refresh();
}

void ControlChartWindow::Refresh() {
  const int instrument = instrument_->currentData().toInt();
  const hostkit::ControlBaseline baseline{static_cast<std::size_t>(baselineFirst_->value() - 1),
                                          static_cast<std::size_t>(baselineCount_->value())};
  try {
    hostkit::ResultRegister store(databasePath_, hostkit::RegisterAccess::ReadOnly);
    charts_ = hostkit::ReferenceControlCharts(instrument, store.ReferenceResults(instrument), baseline);
  } catch (const DataBase::SqlException& error) {
    charts_ = {};
    limits_->setText(QString::fromStdString(error.what()));
  }
  // Keep the chosen percent point (50 % the first time).
  const double wanted = percent_->count() > 0 ? percent_->currentData().toDouble() : 50.0;
  const QSignalBlocker quiet(percent_);
  percent_->clear();
  for (const hostkit::PercentControlChart& chart : charts_.charts)
    percent_->addItem(QString::number(chart.percent), chart.percent);
  const int index = percent_->findData(wanted);
  percent_->setCurrentIndex(index >= 0 ? index : 0);
  ShowPercent();
}

void ControlChartWindow::ShowPercent() {
  flagged_->clear();
  const hostkit::PercentControlChart* chosen = nullptr;
  for (const hostkit::PercentControlChart& chart : charts_.charts) {
    if (chart.percent == percent_->currentData().toDouble()) chosen = &chart;
  }
  if (chosen == nullptr) {
    individuals_.Show({}, hostkit::ControlPlotKind::Individuals, {}, {});
    ranges_.Show({}, hostkit::ControlPlotKind::MovingRanges, {}, {});
    limits_->setText(RegisterTr(RegisterText::ChartNoResults).arg(instrument_->currentText()));
    return;
  }
  const hostkit::ControlSeries& series = chosen->series;
  const QString percent = QString::number(chosen->percent);
  const std::string result = RegisterTr(RegisterText::ChartResult).toStdString();
  individuals_.Show(series, hostkit::ControlPlotKind::Individuals, result,
                    RegisterTr(RegisterText::ChartTemperature).arg(percent).toStdString());
  ranges_.Show(series, hostkit::ControlPlotKind::MovingRanges, result,
               RegisterTr(RegisterText::ChartMovingRange).arg(percent).toStdString());
  if (series.hasLimits) {
    const hostkit::ControlLimits& l = series.limits;
    limits_->setText(RegisterTr(RegisterText::ChartLimits)
                         .arg(Number(l.centre), Number(l.lower), Number(l.upper), Number(l.movingRangeMean),
                              Number(l.movingRangeUpper), l.provisional ? QStringLiteral(" *") : QString()));
  } else {
    limits_->setText(RegisterTr(RegisterText::ChartNoLimits));
  }
  int count = 0;
  for (std::size_t i = 0; i < series.points.size(); ++i) {
    const hostkit::ControlPoint& point = series.points[i];
    if (point.flags == 0) continue;
    ++count;
    flagged_->addItem(QStringLiteral("%1. %2  %3 °C  #%4: %5")
                          .arg(i + 1)
                          .arg(QString::fromStdString(hostkit::UtcDateText(chosen->runTimes[i])).left(10))
                          .arg(Number(point.value))
                          .arg(chosen->entryIds[i])
                          .arg(FlagsText(point.flags)));
  }
  flagged_->insertItem(0, RegisterTr(RegisterText::ChartPoints).arg(count));
  individualsView_->update();
  rangesView_->update();
}

}  // namespace p528::host
