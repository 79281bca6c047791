#include "host/kit/assay_import.h"

#include "chromatogram/chrm_file.h"
#include "shell/text.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace p528::hostkit {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}

bool ReadBytes(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string RoleText(const ChrmFile& file) {
  for (const PassportField& field : file.passport.fields) {
    if (field.title == "Chrm_Type") return field.value;
  }
  return "";
}

// Writes `bytes` as a new file in `folder` under `name` or, when that name is taken, the
// first free "stem-N.ext". The content goes to a temporary file that is then linked under
// the final name: link never replaces an existing file, so nothing is ever written over.
std::string StoreNewFile(const fs::path& dataFolder, const std::string& relative, const std::string& bytes,
                         std::string& error) {
  const fs::path folder = (dataFolder / relative).parent_path();
  const std::string name = fs::path(relative).filename().string();
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::string temporary = (folder / ".import-XXXXXX").string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = std::string("cannot write in the data folder: ") + std::strerror(errno);
    return "";
  }
  bool written = true;
  for (std::size_t done = 0; done < bytes.size() && written;) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) done += static_cast<std::size_t>(n);
  }
  written = written && ::fsync(fd) == 0;
  const int writeError = errno;
  written = (::close(fd) == 0) && written;
  if (!written) {
    ::unlink(temporary.c_str());
    error = std::string("cannot write the copy: ") + std::strerror(writeError);
    return "";
  }
  const fs::path wanted(name);
  const std::string stem = wanted.stem().string();
  const std::string extension = wanted.extension().string();
  for (int n = 1; n < 100000; ++n) {
    const fs::path target = folder / (n == 1 ? name : stem + "-" + std::to_string(n) + extension);
    if (::link(temporary.c_str(), target.c_str()) == 0) {
      ::unlink(temporary.c_str());
      return target.string();
    }
    if (errno != EEXIST) {
      error = std::string("cannot store the copy: ") + std::strerror(errno);
      break;
    }
  }
  if (error.empty()) error = "no free file name in the data folder";
  ::unlink(temporary.c_str());
  return "";
}

// True when the registered run of `row` is `file`'s run: sampled alike, or its file gone
// (then its fingerprint alone tells).
bool IsRegisteredRun(const AssayRecord& row, const ChrmFile& file) {
  ChrmFile stored;
  if (stored.LoadFromFile(row.filename) != 0) return true;
  return SameSampling(stored, file);
}

}  // namespace

void FormatTable::Add(ChromatogramFormat format) {
  format.extension = Lower(format.extension);
  formats_.push_back(std::move(format));
}

const ChromatogramFormat* FormatTable::For(const std::string& path) const {
  const std::string extension = Lower(fs::path(path).extension().string());
  for (const ChromatogramFormat& format : formats_) {
    if (format.extension == extension) return &format;
  }
  return nullptr;
}

FormatTable NativeFormats() {
  FormatTable table;
  table.Add({".chrm",
             [](const std::string& path, ChrmFile& file, std::string&) { return file.LoadFromFile(path); },
             true});
  return table;
}

std::string ContentDigest(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return Format("%zu-%016llx", bytes.size(), static_cast<unsigned long long>(hash));
}

std::string RunFingerprint(const ChrmFile& file, const std::string& bytes) {
  if (file.channels.empty() || file.channels[0].samples.empty()) return "run-0-" + ContentDigest(bytes);
  const std::vector<float>& samples = file.channels[0].samples;
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the samples' bits
  for (const float sample : samples) {
    uint32_t bits = 0;
    std::memcpy(&bits, &sample, sizeof bits);
    for (int k = 0; k < 4; ++k) {
      hash ^= (bits >> (8 * k)) & 0xFFu;
      hash *= 1099511628211ull;
    }
  }
  return Format("run-%zu-%016llx", samples.size(), static_cast<unsigned long long>(hash));
}

bool SameSampling(const ChrmFile& a, const ChrmFile& b) {
  if (a.channels.empty() || b.channels.empty()) return a.channels.empty() && b.channels.empty();
  const ChrmChannel& x = a.channels[0];
  const ChrmChannel& y = b.channels[0];
  if (x.samples.size() != y.samples.size()) return false;
  const double last = static_cast<double>(x.samples.empty() ? 0 : x.samples.size() - 1);
  const double halfStep = 0.5 * std::max(std::fabs(x.step), std::fabs(y.step));
  return std::fabs(x.startTime - y.startTime) <= halfStep &&
         std::fabs((x.startTime + last * x.step) - (y.startTime + last * y.step)) <= halfStep;
}

std::vector<ImportCandidate> CollectFiles(const std::vector<std::string>& sources,
                                          const FormatTable& formats) {
  std::vector<ImportCandidate> files;
  for (const std::string& source : sources) {
    std::error_code ec;
    if (!fs::is_directory(source, ec)) {
      files.push_back({source, fs::path(source).filename().string()});
      continue;
    }
    const fs::path top = fs::path(source).lexically_normal();
    const fs::path base = top.filename().empty() ? top.parent_path().filename() : top.filename();
    std::vector<ImportCandidate> found;
    for (auto it =
             fs::recursive_directory_iterator(source, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      const ChromatogramFormat* format = it->is_regular_file(ec) ? formats.For(it->path().string()) : nullptr;
      if (format != nullptr && (!format->looksLikeOne || format->looksLikeOne(it->path().string()))) {
        found.push_back({it->path().string(), (base / it->path().lexically_relative(top)).string()});
      }
    }
    std::sort(found.begin(), found.end(),
              [](const ImportCandidate& a, const ImportCandidate& b) { return a.source < b.source; });
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

ImportReport ImportChromatograms(AssayDatabase& database, const std::string& folder,
                                 const std::vector<std::string>& sources, const FormatTable& formats,
                                 const ImportProgress& progress) {
  const std::vector<ImportCandidate> files = CollectFiles(sources, formats);
  ImportReport report;
  std::error_code ec;
  fs::create_directories(folder, ec);
  const fs::path dataFolder = fs::absolute(folder, ec);

  try {
    database.InTransaction([&] {
      // Rows registered before runs were fingerprinted (the generator's) get theirs now.
      for (const AssayRecord& row : database.WithoutDigest()) {
        std::string bytes;
        ChrmFile registered;
        if (ReadBytes(row.filename, bytes) && registered.LoadFromFile(row.filename) == 0)
          database.SetDigest(row.id, RunFingerprint(registered, bytes));
      }
      for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& source = files[i].source;
        SkippedFile skipped{source, SkipReason::UnknownFormat, 0, {}};
        bool ok = false;
        const ChromatogramFormat* format = formats.For(source);
        std::string bytes;
        ChrmFile file;
        if (format == nullptr) {
          skipped.reason = SkipReason::UnknownFormat;
        } else if (!ReadBytes(source, bytes)) {
          skipped.reason = SkipReason::Unreadable;
          skipped.error = std::strerror(errno);
        } else if (std::string message; const int status = format->read(source, file, message)) {
          skipped.reason = SkipReason::NotChromatogram;
          skipped.detail = status;
          skipped.error = message;
        } else {
          ok = true;
        }
        const std::string digest = ok ? RunFingerprint(file, bytes) : "";
        for (const AssayRecord& row : ok ? database.WithDigest(digest) : std::vector<AssayRecord>{}) {
          if (IsRegisteredRun(row, file)) {
            skipped.reason = SkipReason::Duplicate;
            skipped.detail = row.id;
            ok = false;
            break;
          }
        }
        std::string stored;
        if (ok) {
          std::string content = bytes;
          std::string name = files[i].name;
          if (!format->native) {
            // Converted: the plug-in's own format, written by its writer beside the data.
            std::string converted = (dataFolder / ".convert-XXXXXX").string();
            const int fd = ::mkostemp(converted.data(), O_CLOEXEC);
            if (fd >= 0) ::close(fd);
            if (fd < 0 || file.SaveToFile(converted) != 0 || !ReadBytes(converted, content)) {
              skipped.error = "cannot convert the file";
            }
            if (fd >= 0) fs::remove(converted, ec);
            name = fs::path(name).replace_extension(".chrm").string();
          }
          if (skipped.error.empty()) stored = StoreNewFile(dataFolder, name, content, skipped.error);
          if (stored.empty()) {
            skipped.reason = SkipReason::NotStored;
            ok = false;
          }
        }
        if (!ok) {
          report.skipped.push_back(skipped);
        } else {
          AssayRecord row;
          row.id = database.NextId();
          row.filename = stored;
          row.sample = file.passport.sample;
          row.andate = file.passport.andate;
          row.role = RoleText(file);
          row.digest = digest;
          report.imported.push_back({source, stored, row.id});
          database.Insert(row);
        }
        if (progress) progress(i + 1, files.size());
      }
    });
  } catch (...) {
    // Nothing was registered: the copies of this import go too, with the folders made for
    // them when they are left empty.
    for (const ImportedFile& done : report.imported) {
      fs::remove(done.stored, ec);
      for (fs::path made = fs::path(done.stored).parent_path(); made != dataFolder && made.has_parent_path();
           made = made.parent_path()) {
        if (!fs::remove(made, ec)) break;  // not empty (or not ours): stop climbing
      }
    }
    throw;
  }
  return report;
}

}  // namespace p528::hostkit
