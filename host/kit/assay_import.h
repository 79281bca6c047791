// Import of chromatogram files into the host: each file is read, copied into the data
// folder and registered as a new assay (id, file name, sample, analysis time, role text,
// not hidden, not deleted), all in one transaction of the assay database.
//
// Formats: a FormatTable maps a file name extension (".chrm", lower case) to a reader. The
// plug-in's own format is copied byte for byte; a file of another format is converted by
// its reader and written in the plug-in's format (the plug-in reads no other).
//
// A file that does not read, has no reader, or holds a run already registered is reported
// and skipped (a run is recognised by its content, its signal and sampling, not by the bytes
// of its file: the AIA file or text export of a registered run is the same run); the others are imported.
// When the database write fails (the disk, a lock), nothing is registered and the copies made by this import
// are removed: the database and the data folder stay as they were. Files are never written over: a copy whose
// name is taken gets a numbered name ("name-2.chrm").
#pragma once

#include "host/kit/assay_database.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace p528 {
class ChrmFile;
}

namespace p528::hostkit {

// Reads the file at `path` into `file`; returns 0 on success, else the format's negative
// status (for the plug-in's format, the status of ChrmFile::LoadFromFile), and may put the
// reason into `message` (a reader that has its own words for it; "" otherwise).
using ChromatogramReader = std::function<int(const std::string& path, ChrmFile& file, std::string& message)>;

struct ChromatogramFormat {
  std::string extension;  // with the dot, lower case: ".chrm", ".cdf"
  ChromatogramReader read;
  bool native = false;  // the plug-in's own format: stored as it is
  // For extensions other files share (".txt", ".csv"): a file found inside an imported
  // folder is a candidate only when this says it looks like one of the format's (a file the
  // user names is always tried). Empty: every file of the extension is a candidate.
  std::function<bool(const std::string& path)> looksLikeOne = {};
};

class FormatTable {
 public:
  void Add(ChromatogramFormat format);
  // The format of `path` by its extension (compared without regard to ASCII case).
  const ChromatogramFormat* For(const std::string& path) const;
  const std::vector<ChromatogramFormat>& formats() const { return formats_; }

 private:
  std::vector<ChromatogramFormat> formats_;
};

// The plug-in's own format (".chrm").
FormatTable NativeFormats();

struct ImportedFile {
  std::string source;
  std::string stored;  // the copy in the data folder
  int64_t id = 0;
};
enum class SkipReason {
  UnknownFormat,    // no reader for the extension
  Unreadable,       // the file cannot be read at all (`error`)
  NotChromatogram,  // the reader refused it (`detail` = its status, `error` its message if any)
  Duplicate,        // the same run is registered (`detail` = that assay id)
  NotStored,        // the copy could not be written or converted (`error`)
};
struct SkippedFile {
  std::string source;
  SkipReason reason = SkipReason::UnknownFormat;
  int64_t detail = 0;
  std::string error;  // the system's message, when there is one
};
struct ImportReport {
  std::vector<ImportedFile> imported;
  std::vector<SkippedFile> skipped;
};

// Called after each file with the number handled so far and the total.
using ImportProgress = std::function<void(std::size_t done, std::size_t total)>;

// One file to import and the name its copy gets inside the data folder.
struct ImportCandidate {
  std::string source;
  std::string name;  // "run.chrm" for a file given alone; "set/inner/run.chrm" for a file
                     // found in the folder "set", so an imported folder keeps its layout
};

// The files named by `sources`: a file stands for itself, a folder for every file below it
// (recursively) whose extension has a reader (and that looks like one of its format's), in
// name order.
std::vector<ImportCandidate> CollectFiles(const std::vector<std::string>& sources,
                                          const FormatTable& formats);

// Imports the files of `sources` (see CollectFiles) into `folder` and `database`. Throws
// DataBase::SqlException when the database cannot be written (then nothing is imported).
ImportReport ImportChromatograms(AssayDatabase& database, const std::string& folder,
                                 const std::vector<std::string>& sources, const FormatTable& formats,
                                 const ImportProgress& progress = {});

// What an import that ended midway (the program was killed or crashed) left in the data
// folder, put right at the next start: its temporaries (".import-*", ".convert-*") are
// removed, and its copies that were never registered (chromatograms the database does not
// name) are registered as the import would have. A file that does not read as a
// chromatogram is left alone. Throws DataBase::SqlException when the database cannot be
// written.
struct Recovery {
  std::size_t removed = 0;
  std::size_t registered = 0;
};
Recovery RecoverInterruptedImport(AssayDatabase& database, const std::string& folder);

// Fingerprint of a file's content: its size and a 64-bit hash.
std::string ContentDigest(const std::string& bytes);

// Fingerprint of a run (the `digest` column): "run-<samples>-<hash>", the sample count and a
// 64-bit hash of the samples of its first channel. The same run read from another format
// gives the same samples, so the same fingerprint; `bytes` (the file's) stand in for a
// chromatogram without samples.
std::string RunFingerprint(const ChrmFile& file, const std::string& bytes);

// True when two runs of one fingerprint are sampled alike: the same sample count, and their
// first and last samples within half a step of each other (a text export rounds its times).
bool SameSampling(const ChrmFile& a, const ChrmFile& b);

}  // namespace p528::hostkit
