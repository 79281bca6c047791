// The window layer of the plug-in library built with Qt: the menu command's main window.
//
// How a host passes its window: the menu command's `wparam` is the host window's QWidget*
// (host and plug-in share one process and one Qt), or 0 for none. The main window becomes
// a top-level window owned by that widget. The host owns the QApplication; without one the
// plug-in creates no window (a menu command then does nothing visible).
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
    // The host window may have taken its child window with it.
    if (window_.isNull()) return;
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
  }

 private:
  QPointer<ui::CDarErud528Dlg> window_;
};

}  // namespace

MainWindowFactory ModuleMainWindowFactory() {
  return
      [](PluginModule& module, intptr_t parent, const std::string& version) -> std::unique_ptr<MainWindow> {
        if (QApplication::instance() == nullptr) return nullptr;
        auto* parentWindow = reinterpret_cast<QWidget*>(parent);
        const std::string componentPath = module.componentTablePath();
        auto* window = new ui::CDarErud528Dlg(module.shell(), componentPath, version, parentWindow);
        ui::ConnectDialogButtons(*window);
        return std::make_unique<QtMainWindow>(window);
      };
}

}  // namespace p528
