#include "notices.h"

#include "shell/regular_file.h"

namespace p528::simdist {

namespace {

const char* RoleWord(int role) {
  switch (role) {
    case RoleCalibration: return "calibration";
    case RoleBlank: return "blank";
    case RoleReference: return "reference";
    case RoleCheck: return "check";
    default: return "file";
  }
}

}  // namespace

std::string LoadFailureText(const std::string& path, int status) {
  switch (status) {
    case -1: {
      const std::string problem = RegularFileProblem(path);
      if (problem.empty()) return "it cannot be read";
      return problem.starts_with("is ") ? "it " + problem : "it cannot be opened (" + problem + ")";
    }
    case -2: return "it is too short for a chromatogram";
    case -3: return "it is not a chromatogram (it does not begin with \"STG\")";
    case -4: return "it is a chromatogram of a newer format version";
    case -5: return "it is damaged (a channel header is cut short)";
    case -6: return "it is damaged (the samples are cut short)";
    case -7: return "it is damaged (its passport XML cannot be read)";
    default: return "it cannot be read (status " + std::to_string(status) + ")";
  }
}

std::string SkipText(const SkippedFile& file) {
  switch (file.reason) {
    case SkipReason::AlreadyInSet: return file.path + " not added: already in the set";
    case SkipReason::NotReadable:
      return file.path + " not added: " + LoadFailureText(file.path, file.loadStatus);
    case SkipReason::NoRoleText: return file.path + " not added: its passport names no role (\"Chrm_Type\")";
    case SkipReason::UnknownRoleText: return file.path + " not added: unknown role \"" + file.roleText + "\"";
    case SkipReason::RoleFull:
      return file.path + " not added: the set already holds as many \"" + file.roleText + "\" runs as it may";
    case SkipReason::NoSuchAssay:
      return "assay " + std::to_string(file.assayId) + " not added: no visible assay with that id";
    case SkipReason::SameRun:
      return file.path + " not added: it is the same run as " + file.sameAs + " (already in the set)";
    case SkipReason::RememberedNotReadable:
      return std::string("remembered ") + RoleWord(file.role) + " " + file.path +
             " dropped: " + LoadFailureText(file.path, file.loadStatus);
  }
  return file.path + " not added";
}

std::string ForTerminal(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r') continue;
    if (c == '\t') {
      out += "    ";
    } else if ((c < 0x20 && c != '\n') || c == 0x7F) {
      out += '?';
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      out += '?';  // a C1 control character (U+0080..U+009F), CSI among them
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace p528::simdist
