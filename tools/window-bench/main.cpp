// window-bench: a keystroke in a C1-C4 field of the calibration tab, through the whole round
// trip the user waits for: filter and store the text, the queued recalculation of the demo
// set, and the repaint of the visible page. Runs offscreen.
#include "demo_window.h"

#include "chart/qt/chart_widget.h"
#include "ui/pages/calibration_page.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

std::unique_ptr<p528::tools::DemoWindow> g_demo;

void KeystrokeRecalculatesAndRepaints(benchmark::State& state) {
  p528::ui::CDarErud528Dlg& window = g_demo->Window();
  window.Tabs().setCurrentIndex(0);
  auto* c1 = window.findChild<QLineEdit*>(QStringLiteral("1106"));
  if (c1 == nullptr) {
    state.SkipWithError("no C1 field");
    return;
  }
  c1->setFocus();
  c1->end(false);
  bool typeDigit = true;
  for (auto _ : state) {
    // Typing a digit, then taking it back: every keystroke is a change of the C1 time.
    QTest::keyClick(c1, typeDigit ? Qt::Key_1 : Qt::Key_Backspace);
    typeDigit = !typeDigit;
    QCoreApplication::processEvents();  // the queued recalculation
    window.Page(0)->repaint();          // the visible page, painted now
  }
}
BENCHMARK(KeystrokeRecalculatesAndRepaints)->Unit(benchmark::kMillisecond);

// The share of the recalculation alone (with the pages' refresh it triggers).
void RecalculationAlone(benchmark::State& state) {
  p528::Workbench& workbench = g_demo->Window().GetWorkbench();
  for (auto _ : state) workbench.Recalculate();
}
BENCHMARK(RecalculationAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "window-bench-set";
  g_demo = std::make_unique<p528::tools::DemoWindow>(folder.string(), false);
  benchmark::RunSpecifiedBenchmarks();
  g_demo.reset();
  std::filesystem::remove_all(folder);
  benchmark::Shutdown();
  return 0;
}
