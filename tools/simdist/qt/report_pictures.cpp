// The chart pictures of simdist's report: the charts drawn through QPainter on the
// offscreen platform, so no display is needed. Built as the module simdist loads for a
// report with charts (report_pictures_loader.cpp).
#include "report_pictures.h"

#include "chart/qt/chart_png.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>

namespace p528::simdist {

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform asks for a runtime folder a command line does not need; its notice
// about a missing XDG_RUNTIME_DIR would only clutter the output. Everything else passes on.
void QuietRuntimeNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths: "))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

// Owns the QGuiApplication that text drawing needs, unless the process already has one.
class QtChartRenderer : public ChartPngRenderer {
 public:
  QtChartRenderer() {
    if (QCoreApplication::instance() == nullptr) {
      // A command line draws offscreen unless the user chose a platform.
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
      previousHandler = qInstallMessageHandler(QuietRuntimeNotice);
      application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
  }
  bool RenderPng(const ChartPicture& picture, int width, int height,
                 std::vector<unsigned char>& png) override {
    return renderer_.RenderPng(picture, width, height, png);
  }

 private:
  int argc_ = 1;
  char name_[8] = "simdist";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
  QtChartPngRenderer renderer_;
};

}  // namespace

}  // namespace p528::simdist

extern "C" __attribute__((visibility("default"))) p528::ChartPngRenderer* p528_simdist_chart_renderer() {
  return new p528::simdist::QtChartRenderer();
}
