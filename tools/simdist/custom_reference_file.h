// The command line's custom-reference file (docs/custom-reference.md): a text file with the
// 21 certified points of a user-defined reference gas oil, read into a CustomReference and
// stored in the settings as the dialog "Параметры эталона" stores it.
#pragma once

#include "workbench/custom_reference.h"

#include <string>
#include <string_view>

namespace p528 {

class Shell;

// Reads a user-defined reference from the text of a custom-reference file (format in
// docs/custom-reference.md): one point per line "percent temperature deviation", an
// optional line "passport <number>", '#' comments. Rows the file does not name stay unset.
// On success fills `out` (labels in the interface language of `shell`) and returns true; on
// failure returns false with the reason in `error` (interface language) and leaves `out`
// unchanged.
bool ParseCustomReference(const Shell& shell, std::string_view text, CustomReference& out,
                          std::string& error);
// The same from a file; a file that cannot be read or is larger than 64 KiB is an error.
bool ReadCustomReferenceFile(const Shell& shell, const std::string& path, CustomReference& out,
                             std::string& error);

// The command line's "--custom-reference FILE": reads the file and stores it in the settings
// exactly as the dialog's OK does (so the check reads it back like a typed table). Returns
// false with the reason when the file does not read; nothing is stored then. The reference
// choice itself ("type_ref_gasoil", CAnalysis::RefType) is left to the caller.
bool StoreCustomReferenceFile(const Shell& shell, const std::string& path, std::string& error);

}  // namespace p528
