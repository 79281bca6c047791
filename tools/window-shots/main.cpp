// window-shots OUT LANG: the main window over the demo set, one PNG per result page and one
// of each enlarged chart dialog, in Russian ("ru") or English ("en"). Run under a real X
// server (scripts/window-screenshots.sh starts Xvfb); writes OUT/LANG-tab1.png ...
// OUT/LANG-tab8.png, OUT/LANG-calibration-chart.png and OUT/LANG-distillation-chart.png.
#include "demo_window.h"

#include "ui/pages/calibration_page.h"
#include "ui/pages/distillation_page.h"

#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

bool Save(QWidget& widget, const std::string& file) {
  const bool saved = widget.grab().save(QString::fromStdString(file), "PNG");
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", file.c_str());
  return saved;
}

// Runs `open` (which shows a modal dialog) and saves the dialog once it is on the screen.
bool SaveModal(const std::string& file, const std::function<void()>& open) {
  bool saved = false;
  QTimer::singleShot(400, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      saved = Save(*dialog, file);
      if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
    }
  });
  open();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[2]) != "ru" && std::string(argv[2]) != "en")) {
    std::fprintf(stderr, "usage: window-shots OUT ru|en\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string lang = argv[2];
  QApplication app(argc, argv);
  std::filesystem::create_directories(out);

  bool ok = true;
  {
    p528::tools::DemoWindow demo(out + "/set-" + lang, lang == "en");
    p528::ui::CDarErud528Dlg& window = demo.Window();
    if (!QTest::qWaitForWindowExposed(&window))
      std::fprintf(stderr, "window-shots: the window was not shown\n");
    for (int tab = 0; tab < p528::ui::kResultPages; ++tab) {
      window.Tabs().setCurrentIndex(tab);
      QTest::qWait(150);
      ok = Save(window, out + "/" + lang + "-tab" + std::to_string(tab + 1) + ".png") && ok;
    }
    ok = SaveModal(out + "/" + lang + "-calibration-chart.png",
                   [&] { window.CalibrationPage().OpenEnlargedChart(); }) &&
         ok;
    window.Tabs().setCurrentIndex(2);
    ok = SaveModal(out + "/" + lang + "-distillation-chart.png",
                   [&] { window.DistillationPage().OpenEnlargedChart(); }) &&
         ok;
  }
  std::filesystem::remove_all(out + "/set-" + lang);
  return ok ? 0 : 1;
}
