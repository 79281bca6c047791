#include "host/kit/role_change.h"

#include "chromatogram/chrm_file.h"
#include "host/kit/assay_roles.h"
#include "shell/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace p528::hostkit {

namespace fs = std::filesystem;

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

void SetRoleField(ChrmFile& file, const std::string& text) {
  for (PassportField& field : file.passport.fields) {
    if (field.title == "Chrm_Type") {
      field.value = text;
      return;
    }
  }
  file.passport.fields.push_back({"chrm_type", "Chrm_Type", text});
}

// The file's bytes as the plug-in's writer makes them (written beside the target, read back).
bool Serialise(ChrmFile& file, const fs::path& folder, std::string& bytes) {
  std::string temporary = (folder / ".role-XXXXXX").string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  const bool done = file.SaveToFile(temporary) == 0 && ReadWhole(temporary, bytes);
  ::unlink(temporary.c_str());
  return done;
}

bool Inside(const fs::path& file, const fs::path& folder) {
  const fs::path relative = file.lexically_normal().lexically_relative(folder.lexically_normal());
  return !relative.empty() && *relative.begin() != ".." && !relative.is_absolute();
}

// A new file in `folder` named `name` or the first free "stem-N.ext"; "" when none.
std::string NewFile(const fs::path& folder, const std::string& name) {
  const fs::path wanted(name);
  for (int n = 1; n < 100000; ++n) {
    const fs::path target =
        folder /
        (n == 1 ? name : wanted.stem().string() + "-" + std::to_string(n) + wanted.extension().string());
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return target.string();
    }
    if (errno != EEXIST) return "";
  }
  return "";
}

}  // namespace

std::string ChangeAssayRole(AssayDatabase& database, const std::string& dataFolder, int64_t id, int role) {
  const std::string text = StoredRoleText(role);
  if (text.empty()) return "unknown role";
  const std::optional<AssayRecord> row = database.Find(id);
  if (!row) return "no assay " + std::to_string(id);
  std::string old;
  ChrmFile file;
  if (!ReadWhole(row->filename, old) || file.LoadFromMemory(old.data(), old.size()) != 0)
    return "the file " + row->filename + " does not read";
  SetRoleField(file, text);

  std::error_code ec;
  const fs::path folder = fs::absolute(dataFolder, ec);
  const bool own = Inside(fs::absolute(row->filename, ec), folder);
  const fs::path target = own ? fs::path(row->filename).parent_path() : folder;
  fs::create_directories(target, ec);
  std::string bytes;
  if (!Serialise(file, target, bytes)) return "the file cannot be written in " + target.string();

  std::string stored = row->filename;
  std::string error;
  if (!own) {
    stored = NewFile(folder, fs::path(row->filename).filename().string());
    if (stored.empty()) return std::string("no copy can be made in the data folder: ") + std::strerror(errno);
  }
  if (!WriteFileAtomically(stored, bytes, error)) {
    if (!own) fs::remove(stored, ec);
    return error;
  }
  try {
    database.SetRole(id, text, stored);
  } catch (const std::exception& failure) {
    if (own) {
      WriteFileAtomically(stored, old, error);
    } else {
      fs::remove(stored, ec);
    }
    return failure.what();
  }
  return "";
}

}  // namespace p528::hostkit
