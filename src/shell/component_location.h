// Where the component table is read and saved. The user edits the table, but the table of an
// installed plug-in folder (<prefix>/lib/plug528) belongs to the package, which a reinstall
// or an upgrade replaces: there, and wherever the folder is read-only, the user's own copy is
// used, even when the folder could be written (run as root),
// $XDG_DATA_HOME/plug528/tqle528data.csv (~/.local/share/plug528/tqle528data.csv when the
// variable is unset), made from the installed table on first use and read and saved from
// then on. A save into a place that cannot be written still fails with its reason
// (SaveComponentTable), never silently.
#pragma once

#include <functional>
#include <string>

namespace p528 {

// The user's copy of the component table; "" when neither XDG_DATA_HOME nor HOME is set.
std::string UserComponentDataPath();

// True when the file at `path` can be replaced: the file and its folder may be written.
bool CanReplaceFile(const std::string& path);

// True when `moduleFolder` is an installation's plug-in folder: its path ends in
// "lib/plug528".
bool IsInstalledPluginFolder(const std::string& moduleFolder);

// The table of the module in `moduleFolder`: the file beside the module when it can be
// replaced and the folder is not an installed one; otherwise the user's copy, which is first created from the
// file beside the module when `seed` is true and it does not exist yet. Falls back to the file beside the
// module when there is no user copy (and none could be made).
std::string ComponentTableLocation(
    const std::string& moduleFolder, bool seed = true,
    const std::function<bool(const std::string&)>& canReplace = CanReplaceFile);

}  // namespace p528
