// The include-layer rule: reads the table of allowed folder dependencies (layers.txt) and the
// #include lines of a source tree, and lists every include that crosses a layer it may not.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace p528::test {

struct Layer {
  std::set<std::string> mayInclude;  // other layers
  std::set<std::string>
      refused;      // headers ("shell/shell.h") or folders ("shell/strings/") it may not include
  bool qt = false;  // may include Qt headers
};
using LayerTable = std::map<std::string, Layer>;

// Parses the table text; throws std::runtime_error on a malformed line or an unknown layer.
LayerTable ParseLayerTable(const std::string& text);

// Every forbidden include of the .h/.cpp files under root/src, root/host and root/tools, one
// line each:
// "src/engine/analysis.cpp:15: includes \"chart/chart.h\" (chart)".
std::vector<std::string> ForbiddenIncludes(const std::string& root, const LayerTable& table);

}  // namespace p528::test
