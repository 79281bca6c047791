// The file name the save dialog's answer becomes: the dialog offers the extension "html",
// and a name typed without an extension gets it, as the desktop's save dialogs do when
// they are given a default extension.
#pragma once

#include <string>
#include <string_view>

namespace p528 {

// `path` with "." + `extension` appended when its last component has no extension
// ("/a/Report528_5032024_093005" -> ".../Report528_5032024_093005.html"; "/a/r.htm" stays;
// a name ending in "." counts as without one: "r." -> "r.html").
std::string WithDefaultExtension(std::string_view path, std::string_view extension);

}  // namespace p528
