// Opening files for reading only when they are regular files. A path that names a
// directory, a FIFO, a device or a socket is refused with a reason in words and is never
// opened in a way that could wait (a FIFO without a writer) or read without end (a device).
#pragma once

#include <string>

#include <sys/types.h>

namespace p528 {

// "is a directory", "is a FIFO", "is a device", "is a socket", "is not a regular file".
std::string FileKindText(mode_t mode);

// Opens `path` (links followed) read-only. Returns the descriptor, or -1 with `reason` set
// ("is a FIFO", "No such file or directory", ...).
int OpenRegularFile(const std::string& path, std::string* reason = nullptr);

// Reads the whole regular file at `path` into `bytes`. False with `reason` set.
bool ReadRegularFile(const std::string& path, std::string& bytes, std::string* reason = nullptr);

// Why `path` cannot be opened as a regular file, "" when it can.
std::string RegularFileProblem(const std::string& path);

}  // namespace p528
