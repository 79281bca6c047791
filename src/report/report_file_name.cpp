#include "report/report_file_name.h"

namespace p528 {

std::string WithDefaultExtension(std::string_view path, std::string_view extension) {
  std::string result(path);
  const std::size_t slash = result.rfind('/');
  const std::string_view name = std::string_view(result).substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t dot = name.rfind('.');
  // A leading dot names a hidden file, not an extension.
  if (dot != std::string_view::npos && dot > 0 && dot + 1 < name.size()) return result;
  if (name.empty()) return result;
  if (result.back() != '.') result += '.';
  result += extension;
  return result;
}

}  // namespace p528
