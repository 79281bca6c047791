// The window layer of the plug-in library built with Qt: the menu command's main window.
//
// How a host passes its window: the menu command's `wparam` is the host window's QWidget*
// (host and plug-in share one process and one Qt), or 0 for none. The main window is a
// top-level window of its own, not the host window's child: a child would be kept above
// the host window, and the chemist could not bring the host's assay list to the front while
// a calculation is open. The host window still owns it: it is destroyed when the host window
// is, while the plug-in's code is loaded (hosts destroy their windows before closing the
// library). The host owns the QApplication; without one the plug-in creates no window (a
// menu command then does nothing visible).
#include "shell/plugin_module.h"
#include "ui/dialogs/main_window_buttons.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QPointer>

namespace p528 {

namespace {

class QtMainWindow final : public MainWindow {
 public:
  explicit QtMainWindow(ui::CDarErud528Dlg* window) : window_(window) {}
  ~QtMainWindow() override { delete window_.data(); }

  void Show() override {
    // The host window may have taken its window with it.
    if (window_.isNull()) return;
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
  }

  void Close() override {
    if (!window_.isNull()) window_->hide();
  }

 private:
  QPointer<ui::CDarErud528Dlg> window_;
};

}  // namespace

MainWindowFactory ModuleMainWindowFactory() {
  return
      [](PluginModule& module, intptr_t parent, const std::string& version) -> std::unique_ptr<MainWindow> {
        if (QApplication::instance() == nullptr) return nullptr;
        const std::string componentPath = module.componentTablePath();
        auto* window = new ui::CDarErud528Dlg(module.shell(), componentPath, version);
        ui::ConnectDialogButtons(*window);
        if (auto* owner = reinterpret_cast<QWidget*>(parent)) {
          QObject::connect(owner, &QObject::destroyed, window, [window] { delete window; });
        }
        return std::make_unique<QtMainWindow>(window);
      };
}

}  // namespace p528
