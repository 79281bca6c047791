#include "workbench/skipped_files_text.h"

#include "shell/shell.h"
#include "workbench/workbench_texts.h"

#include <initializer_list>

namespace p528 {

namespace {

// Fills the "%s" of a translated text in order, without using it as a printf format; a
// value that itself holds "%s" (a folder name) is never filled again.
std::string FillInOrder(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string out;
  std::size_t from = 0;
  for (const std::string& value : values) {
    const std::size_t at = pattern.find("%s", from);
    if (at == std::string::npos) break;
    out += pattern.substr(from, at - from) + value;
    from = at + 2;
  }
  return out + pattern.substr(from);
}

std::string Line(const Shell& shell, const SkippedFile& file) {
  switch (file.reason) {
    case SkipReason::AlreadyInSet: return FillInOrder(shell.Str(text::kSkippedAlreadyInSet), {file.path});
    case SkipReason::NotReadable: return FillInOrder(shell.Str(text::kSkippedNotReadable), {file.path});
    case SkipReason::NoRoleText: return FillInOrder(shell.Str(text::kSkippedNoRoleText), {file.path});
    case SkipReason::UnknownRoleText:
      return FillInOrder(shell.Str(text::kSkippedUnknownRole), {file.path, file.roleText});
    case SkipReason::RoleFull:
      return FillInOrder(shell.Str(text::kSkippedRoleFull), {file.path, file.roleText});
    case SkipReason::NoSuchAssay:
      return FillInOrder(shell.Str(text::kSkippedNoSuchAssay), {std::to_string(file.assayId)});
    case SkipReason::SameRun: return FillInOrder(shell.Str(text::kSkippedSameRun), {file.path, file.sameAs});
    case SkipReason::RememberedNotReadable:
      return FillInOrder(shell.Str(text::kSkippedRememberedGone), {file.path});
  }
  return file.path;
}

}  // namespace

std::string SkippedFilesText(const Shell& shell, const std::vector<SkippedFile>& skipped) {
  if (skipped.empty()) return {};
  std::string text = shell.Str(text::kSkippedHead);
  for (const SkippedFile& file : skipped) text += "\r\n\t" + Line(shell, file);
  return text;
}

}  // namespace p528
