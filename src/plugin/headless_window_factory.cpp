// The window layer of a plug-in library built without Qt: no main window. Menu commands
// then only set the settings prefix. The Qt window layer defines this function instead.
#include "shell/plugin_module.h"

namespace p528 {

MainWindowFactory ModuleMainWindowFactory() { return {}; }

}  // namespace p528
