// Writing a file so that it is never left half-written: the new content goes to a unique
// temporary file in the target's folder, is flushed to the disk and then renamed over the
// target in one step. Readers see either the old file or the whole new one; a failed write
// leaves the old file as it was and removes the temporary file it made (and nothing else).
//
// A symbolic link is followed and the file it names is replaced (the link stays a link). A
// target that exists but is not a regular file (a directory, a device, a FIFO, a socket) is
// refused before anything is written. An existing file keeps its permission bits; a new one
// gets the usual 0666 less the process's umask.
#pragma once

#include <string>
#include <string_view>

namespace p528 {

// The file `path` finally names once every symbolic link on the way is followed (relative
// links are taken from the link's folder); the target need not exist. `path` itself when a
// link cannot be read or the chain is too long.
std::string ResolveLinks(const std::string& path);

// Replaces the file at `path` (after ResolveLinks) by `bytes`. False with `error` set to the
// reason in words ("is a directory", "No space left on device") when nothing was changed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace p528
