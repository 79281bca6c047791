#include "test_files.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace p528::test {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plug528-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::Copy(const std::string& source, const std::string& name) const {
  const std::filesystem::path target = std::filesystem::path(path_) / name;
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
  return target.string();
}

}  // namespace p528::test
