#include "layers/include_layers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace p528::test {

namespace fs = std::filesystem;

namespace {

// The longest layer folder containing `folder` ("engine/tables" -> "engine"), or "".
std::string LayerOf(const LayerTable& table, const std::string& folder) {
  std::string best;
  for (const auto& [name, layer] : table) {
    const bool inside = folder == name || folder.starts_with(name + "/");
    if (inside && name.size() > best.size()) best = name;
  }
  return best;
}

// Folder of a file relative to the tree: "src/engine/x.cpp" -> "engine",
// "tools/simdist/x.cpp" -> "tools/simdist", "host/kit/x.cpp" -> "host/kit".
std::string FolderOf(const fs::path& relative) {
  std::string folder = relative.parent_path().generic_string();
  if (folder == "src") return "";
  if (folder.starts_with("src/")) return folder.substr(4);
  return folder;
}

// An #include line: its opening character ('<' or '"') and the header named.
bool ParseInclude(std::string_view line, char& opening, std::string& header) {
  auto skipBlanks = [&line] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skipBlanks();
  if (!line.starts_with('#')) return false;
  line.remove_prefix(1);
  skipBlanks();
  if (!line.starts_with("include")) return false;
  line.remove_prefix(7);
  skipBlanks();
  if (line.empty() || (line.front() != '<' && line.front() != '"')) return false;
  opening = line.front();
  const std::size_t end = line.find(opening == '<' ? '>' : '"', 1);
  if (end == std::string_view::npos || end == 1) return false;
  header = std::string(line.substr(1, end - 1));
  return true;
}

}  // namespace

LayerTable ParseLayerTable(const std::string& text) {
  LayerTable table;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string name;
    if (!(words >> name)) continue;
    if (name.back() != ':') throw std::runtime_error("layer without a colon: " + line);
    name.pop_back();
    Layer& layer = table[name];
    for (std::string word; words >> word;) {
      if (word == "qt") {
        layer.qt = true;
      } else if (word.starts_with('!')) {
        layer.refused.insert(word.substr(1));
      } else {
        layer.mayInclude.insert(word);
      }
    }
  }
  for (const auto& [name, layer] : table) {
    for (const std::string& other : layer.mayInclude) {
      if (!table.contains(other)) throw std::runtime_error(name + " names an unknown layer " + other);
    }
  }
  return table;
}

std::vector<std::string> ForbiddenIncludes(const std::string& root, const LayerTable& table) {
  std::vector<std::string> found;
  for (const char* top : {"src", "host", "tools"}) {
    const fs::path base = fs::path(root) / top;
    if (!fs::exists(base)) continue;
    std::vector<fs::path> files;  // sorted, so that the list reads in a stable order
    for (const auto& entry : fs::recursive_directory_iterator(base)) {
      const std::string extension = entry.path().extension().string();
      if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp"))
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      const fs::path relative = fs::relative(file, root);
      const std::string where = relative.generic_string();
      const std::string layerName = LayerOf(table, FolderOf(relative));
      if (layerName.empty()) {
        found.push_back(where + ": in a folder that layers.txt does not name");
        continue;
      }
      const Layer& layer = table.at(layerName);
      std::ifstream in(file);
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        char opening = 0;
        std::string header;
        if (!ParseInclude(line, opening, header)) continue;
        const std::string at = where + ":" + std::to_string(number) + ": includes ";
        if (opening == '<') {
          if (header.starts_with("Q") && !layer.qt) found.push_back(at + "<" + header + "> (Qt)");
          continue;
        }
        const std::string folder = fs::path(header).parent_path().generic_string();
        if (folder.empty()) continue;  // a header of the file's own folder
        const bool refused = std::any_of(
            layer.refused.begin(), layer.refused.end(),
            [&](const std::string& r) { return header == r || (r.ends_with('/') && header.starts_with(r)); });
        if (refused) {
          found.push_back(at + "\"" + header + "\" (refused in " + layerName + ")");
          continue;
        }
        // A path beside the file ("qt/x.h" in tools/simdist) names a subfolder of its own.
        const fs::path beside = relative.parent_path() / header;
        const std::string target =
            LayerOf(table, fs::exists(fs::path(root) / beside) ? FolderOf(beside) : folder);
        if (target == layerName || layer.mayInclude.contains(target)) continue;
        found.push_back(at + "\"" + header + "\" (" + (target.empty() ? "no layer" : target) + ")");
      }
    }
  }
  return found;
}

}  // namespace p528::test
