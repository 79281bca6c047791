#include "host/kit/assay_import.h"

#include "chromatogram/chrm_file.h"
#include "shell/regular_file.h"
#include "shell/text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace p528::hostkit {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}

// Only regular files are read: a FIFO would hold the import (and the write lock) for ever,
// a device would be read until memory runs out.
bool ReadBytes(const std::string& path, std::string& bytes, std::string* reason = nullptr) {
  return ReadRegularFile(path, bytes, reason);
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
  // A copy gets the permissions of any file the programs write (as chrm-import's): those the
  // user's umask leaves, not the temporary file's 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
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

namespace {

// A file read, converted and copied into the data folder, waiting to be registered.
struct PreparedFile {
  std::string source;
  std::string stored;
  std::string bytes;  // the source's bytes
  ChrmFile run;       // as read (compared with a registered run of the same fingerprint)
  std::string digest;
  bool native = false;
  std::string sample;
  int64_t andate = 0;
  std::string role;
};

// Reads, converts and copies one candidate; false with `skipped` filled when it is not imported.
bool Prepare(const ImportCandidate& candidate, const FormatTable& formats, const fs::path& dataFolder,
             PreparedFile& prepared, SkippedFile& skipped) {
  const std::string& source = candidate.source;
  skipped = {source, SkipReason::UnknownFormat, 0, {}};
  const ChromatogramFormat* format = formats.For(source);
  if (format == nullptr) return false;
  // The plug-in and the windows take file names as UTF-8 text: a name in another encoding
  // (a share in windows-1251) would be registered and then open nowhere.
  for (std::size_t i = 0; i < candidate.name.size();) {
    const std::size_t n = ValidUtf8Length(candidate.name, i);
    if (n == 0 || static_cast<unsigned char>(candidate.name[i]) < 0x20) {
      skipped.reason = SkipReason::Unreadable;
      skipped.error = "the file name is not UTF-8 text (or holds a control character): rename the file";
      return false;
    }
    i += n;
  }
  ChrmFile file;
  if (std::string reason; !ReadBytes(source, prepared.bytes, &reason)) {
    skipped.reason = SkipReason::Unreadable;
    skipped.error = reason;
    return false;
  }
  if (std::string message; const int status = format->read(source, file, message)) {
    skipped.reason = SkipReason::NotChromatogram;
    skipped.detail = status;
    skipped.error = message;
    return false;
  }
  std::string content = prepared.bytes;
  std::string name = candidate.name;
  if (!format->native) {
    // Converted: the plug-in's own format, written by its writer beside the data.
    std::error_code ec;
    std::string converted = (dataFolder / ".convert-XXXXXX").string();
    const int fd = ::mkostemp(converted.data(), O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    const bool written = fd >= 0 && file.SaveToFile(converted) == 0 && ReadBytes(converted, content);
    if (fd >= 0) fs::remove(converted, ec);
    if (!written) {
      skipped.reason = SkipReason::NotStored;
      skipped.error = "cannot convert the file";
      return false;
    }
    name = fs::path(name).replace_extension(".chrm").string();
  }
  prepared.stored = StoreNewFile(dataFolder, name, content, skipped.error);
  if (prepared.stored.empty()) {
    skipped.reason = SkipReason::NotStored;
    return false;
  }
  prepared.source = source;
  prepared.digest = RunFingerprint(file, prepared.bytes);
  prepared.native = format->native;
  prepared.sample = file.passport.sample;
  prepared.andate = file.passport.andate;
  prepared.role = RoleText(file);
  prepared.run = std::move(file);
  return true;
}

// Removes a copy of this import and the folders made for it when they are left empty.
void RemoveCopy(const std::string& stored, const fs::path& dataFolder) {
  std::error_code ec;
  fs::remove(stored, ec);
  for (fs::path made = fs::path(stored).parent_path(); made != dataFolder && made.has_parent_path();
       made = made.parent_path()) {
    if (!fs::remove(made, ec)) break;  // not empty (or not ours): stop climbing
  }
}

}  // namespace

ImportReport ImportChromatograms(AssayDatabase& database, const std::string& folder,
                                 const std::vector<std::string>& sources, const FormatTable& formats,
                                 const ImportProgress& progress) {
  const std::vector<ImportCandidate> files = CollectFiles(sources, formats);
  ImportReport report;
  std::error_code ec;
  fs::create_directories(folder, ec);
  const fs::path dataFolder = fs::absolute(folder, ec);

  // Reading, converting and copying take their time: done before the write transaction, so
  // that another host or the generator's index is not locked out meanwhile.
  std::vector<PreparedFile> prepared;
  try {
    for (std::size_t i = 0; i < files.size(); ++i) {
      PreparedFile file;
      SkippedFile skipped;
      if (Prepare(files[i], formats, dataFolder, file, skipped)) {
        prepared.push_back(std::move(file));
      } else {
        report.skipped.push_back(std::move(skipped));
      }
      if (progress) progress(i + 1, files.size());
    }

    database.InTransaction([&] {
      // Rows registered before runs were fingerprinted (the generator's) get theirs now.
      for (const AssayRecord& row : database.WithoutDigest()) {
        std::string bytes;
        ChrmFile registered;
        if (ReadBytes(row.filename, bytes) && registered.LoadFromFile(row.filename) == 0)
          database.SetDigest(row.id, RunFingerprint(registered, bytes));
      }
      for (PreparedFile& file : prepared) {
        SkippedFile skipped{file.source, SkipReason::Duplicate, 0, {}};
        bool duplicate = false;
        for (const AssayRecord& row : database.WithDigest(file.digest)) {
          if (IsRegisteredRun(row, file.run)) {
            skipped.detail = row.id;
            duplicate = true;
            break;
          }
        }
        const int64_t id = duplicate ? 0 : database.NextId();
        if (!duplicate && id > kMaxPluginAssayId) {
          // Ids above it exist (another program wrote them): the plug-in could not open a new
          // one, and an id is never reused.
          skipped.reason = SkipReason::NotStored;
          skipped.error = Format("the next assay id %lld is beyond the largest the plug-in opens (%lld)",
                                 static_cast<long long>(id), static_cast<long long>(kMaxPluginAssayId));
        }
        if (duplicate || !skipped.error.empty()) {
          RemoveCopy(file.stored, dataFolder);
          file.stored.clear();
          report.skipped.push_back(std::move(skipped));
          continue;
        }
        AssayRecord row;
        row.id = id;
        row.filename = file.stored;
        row.sample = file.sample;
        row.andate = file.andate;
        row.role = file.role;
        row.digest = file.digest;
        database.Insert(row);
        report.imported.push_back({file.source, file.stored, row.id});
      }
    });
  } catch (...) {
    // Nothing was registered: the copies of this import go too, with the folders made for
    // them when they are left empty.
    for (const PreparedFile& file : prepared) {
      if (!file.stored.empty()) RemoveCopy(file.stored, dataFolder);
    }
    throw;
  }
  return report;
}

Recovery RecoverInterruptedImport(AssayDatabase& database, const std::string& folder) {
  Recovery recovery;
  std::error_code ec;
  const fs::path dataFolder = fs::absolute(folder, ec);
  std::vector<fs::path> copies;
  for (auto it =
           fs::recursive_directory_iterator(dataFolder, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
    const std::string name = it->path().filename().string();
    if (name.rfind(".import-", 0) == 0 || name.rfind(".convert-", 0) == 0) {
      if (fs::remove(it->path(), ec)) ++recovery.removed;
    } else if (Lower(it->path().extension().string()) == ".chrm") {
      copies.push_back(it->path());
    }
  }
  if (copies.empty()) return recovery;
  std::sort(copies.begin(), copies.end());
  database.InTransaction([&] {
    for (const fs::path& copy : copies) {
      if (database.HasFile(copy.string())) continue;
      std::string bytes;
      ChrmFile file;
      if (!ReadBytes(copy.string(), bytes) || file.LoadFromFile(copy.string()) != 0) continue;
      const int64_t id = database.NextId();
      if (id > kMaxPluginAssayId) break;
      AssayRecord row;
      row.id = id;
      row.filename = copy.string();
      row.sample = file.passport.sample;
      row.andate = file.passport.andate;
      row.role = RoleText(file);
      row.digest = RunFingerprint(file, bytes);
      database.Insert(row);
      ++recovery.registered;
    }
  });
  return recovery;
}

}  // namespace p528::hostkit
