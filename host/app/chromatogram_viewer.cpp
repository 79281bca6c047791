#include "chromatogram_viewer.h"

#include "chart/qt/chart_widget.h"
#include "host_texts.h"
#include "host_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace p528::host {

namespace {

QTableWidget* Table(QWidget* parent, const QStringList& headers, const QString& name) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(name);
  table->setColumnCount(static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->setWordWrap(false);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void AddRow(QTableWidget* table, const QStringList& cells, const std::vector<bool>& numeric = {}) {
  const int row = table->rowCount();
  table->insertRow(row);
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    if (static_cast<size_t>(c) < numeric.size() && numeric[static_cast<size_t>(c)])
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, c, item);
  }
}

QString Number(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace

ChromatogramViewer::ChromatogramViewer(const std::string& path, QWidget* parent)
    : QWidget(parent, Qt::Window), path_(path) {
  setObjectName(QStringLiteral("chromatogramViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QString name = Q(std::filesystem::path(path).filename().string());
  setWindowTitle(Tr(Text::ViewerTitle).arg(name));
  status_ = file_.LoadFromFile(path);
  auto* layout = new QVBoxLayout(this);
  if (status_ != 0) {
    auto* reason = new QLabel(Tr(Text::ViewerUnreadable).arg(Q(path), ReadStatusText(status_)), this);
    reason->setObjectName(QStringLiteral("viewerProblem"));
    reason->setWordWrap(true);
    reason->setAlignment(Qt::AlignCenter);
    layout->addWidget(reason);
    resize(520, 160);
    return;
  }
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(MakeChart());
  auto* tabs = new QTabWidget(splitter);
  tabs->addTab(MakePassport(), Tr(Text::ViewerPassport));
  tabs->addTab(MakePeaks(), Tr(Text::ViewerPeaks));
  splitter->addWidget(tabs);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter);
  resize(900, 680);
}

QWidget* ChromatogramViewer::MakeChart() {
  auto* chart = new CChartWidget(this);
  chart->setObjectName(QStringLiteral("viewerChart"));
  CChart& logic = chart->Chart();
  logic.GridFlags = GridVertical | GridHorizontal;
  logic.CaptionColour = 0xFF0000;
  logic.SetXCaption(Tr(Text::ViewerTime).toStdString());
  logic.SetYCaption(Tr(Text::ViewerSignal).toStdString());

  if (!file_.channels.empty()) {
    const ChrmChannel& channel = file_.channels.front();
    {
      std::lock_guard<std::mutex> hold(*channel.lock);
      times_.reserve(channel.samples.size());
      signal_.reserve(channel.samples.size());
      for (size_t i = 0; i < channel.samples.size(); ++i) {
        times_.push_back(channel.startTime + static_cast<double>(i) * channel.step);
        signal_.push_back(channel.samples[i]);
      }
    }
    for (const ChrmPeak& peak : channel.peaks) {
      if (peak.name.empty() || channel.step <= 0) continue;
      // The mark sits on the drawn signal at the retention time.
      const double at = (peak.time - channel.startTime) / channel.step;
      if (at < 0 || at >= static_cast<double>(signal_.size())) continue;
      const size_t index = std::min(static_cast<size_t>(at + 0.5), signal_.size() - 1);
      peakTimes_.push_back(peak.time);
      peakHeights_.push_back(signal_[index]);
    }
  }
  CAutoSeries line;
  line.Colour = 0x0808FC;
  line.LineMode = LinePolyline;
  logic.AddSeries(line);
  CAutoSeries marks;
  marks.Colour = 0xFC0808;
  marks.LineMode = LineNone;
  marks.MarkerStyle = MarkerCircle;
  marks.MarkerSize = 3;
  logic.AddSeries(marks);
  logic.SetSeriesData(0, times_.data(), signal_.data(), static_cast<int>(times_.size()));
  logic.SetSeriesData(1, peakTimes_.data(), peakHeights_.data(), static_cast<int>(peakTimes_.size()));
  logic.Invalidate();
  chart->setMinimumHeight(260);
  return chart;
}

QWidget* ChromatogramViewer::MakePassport() {
  QTableWidget* table =
      Table(this, {Tr(Text::PassportFieldName), Tr(Text::PassportValue)}, QStringLiteral("viewerPassport"));
  const ChrmPassport& passport = file_.passport;
  AddRow(table, {Tr(Text::PassportFile), Q(path_)});
  AddRow(table, {Tr(Text::PassportSample), Q(passport.sample)});
  AddRow(table, {Tr(Text::PassportTime), AnalysisTimeText(passport.andate)});
  AddRow(table, {Tr(Text::PassportMethod), Q(passport.method)});
  AddRow(table, {Tr(Text::PassportDuration), Number(passport.duration, 2)});
  AddRow(table, {Tr(Text::PassportSeries), Q(passport.series)});
  for (const ChrmChannel& channel : file_.channels) {
    AddRow(table, {Tr(Text::PassportChannel).arg(channel.number),
                   Tr(Text::PassportChannelValue).arg(channel.samples.size()).arg(Number(channel.step, 5))});
  }
  for (const PassportField& field : passport.fields)
    AddRow(table, {Q(field.title.empty() ? field.name : field.title), Q(field.value)});
  table->resizeColumnsToContents();
  return table;
}

QWidget* ChromatogramViewer::MakePeaks() {
  QTableWidget* table = Table(this,
                              {Tr(Text::PeakName), Tr(Text::PeakTime), Tr(Text::PeakFront),
                               Tr(Text::PeakBack), Tr(Text::PeakArea), Tr(Text::PeakHeight)},
                              QStringLiteral("viewerPeaks"));
  if (!file_.channels.empty()) {
    for (const ChrmPeak& peak : file_.channels.front().peaks) {
      AddRow(table,
             {Q(peak.name), Number(peak.time, 3), Number(peak.front, 3), Number(peak.back, 3),
              Number(peak.area, 3), Number(peak.height, 3)},
             {false, true, true, true, true, true});
    }
  }
  table->resizeColumnsToContents();
  return table;
}

}  // namespace p528::host
