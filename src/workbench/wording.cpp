#include "workbench/wording.h"

#include "engine/texts/fraction_texts.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/message_log.h"

#include <cstring>

namespace p528 {

namespace {

double AsNumber(const FindingArg* arg) {
  if (arg == nullptr) return 0.0;
  if (const auto* i = std::get_if<int32_t>(arg)) return *i;
  if (const auto* d = std::get_if<double>(arg)) return *d;
  return 0.0;
}

std::string AsText(const Shell& shell, const FindingArg* arg) {
  if (arg == nullptr) return {};
  if (const auto* s = std::get_if<std::string>(arg)) return *s;
  if (const auto* name = std::get_if<FractionName>(arg)) return FractionNameText(shell, *name);
  return {};
}

// One printf directive `directive` ("%...c", without length modifiers) with its argument.
std::string Convert(const Shell& shell, const std::string& directive, char conversion,
                    const FindingArg* arg) {
  switch (conversion) {
    case 'd':
    case 'i':
    case 'c': return Format(directive.c_str(), static_cast<int>(AsNumber(arg)));
    case 'u':
    case 'o':
    case 'x':
    case 'X': return Format(directive.c_str(), static_cast<unsigned>(AsNumber(arg)));
    case 's': return Format(directive.c_str(), AsText(shell, arg).c_str());
    default: return Format(directive.c_str(), AsNumber(arg));
  }
}

}  // namespace

std::string FormatText(const Shell& shell, int id, const std::vector<FindingArg>& args) {
  const std::string format = shell.Str(id);
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Flags, width and precision are kept; length modifiers are dropped (the argument's
    // own type is passed); a star or an unknown conversion ends the text as written.
    std::string directive = "%";
    std::size_t j = i + 1;
    while (j < format.size() && std::strchr("-+ #0123456789.", format[j]) != nullptr)
      directive += format[j++];
    while (j < format.size() && std::strchr("hlLqjzt", format[j]) != nullptr) ++j;
    if (j >= format.size() || std::strchr("diouxXeEfFgGaAcs", format[j]) == nullptr) {
      out.append(format, i, std::string::npos);
      break;
    }
    const char conversion = format[j];
    directive += conversion;
    out += Convert(shell, directive, conversion, next < args.size() ? &args[next] : nullptr);
    ++next;
    i = j;
  }
  return out;
}

std::string WordFinding(const Shell& shell, const Finding& finding) {
  std::string text;
  for (const FindingText& part : finding.parts) text += FormatText(shell, part.id, part.args);
  return text;
}

std::string FractionNameText(const Shell& shell, const FractionName& name) {
  switch (name.kind) {
    case FractionName::Start: return shell.Str(text::kFractionStart);
    case FractionName::Unnamed: return shell.Str(text::kFractionUnnamed);
    case FractionName::Range: return FormatText(shell, text::kFractionName, {name.lower, name.upper});
    case FractionName::Residue: return shell.Str(text::kResidueName);
    case FractionName::Peak: break;
  }
  return {};
}

void NameFractions(const Shell& shell, CalcResult& result) {
  for (ChrmResult& analysis : result.Analyses) {
    for (FractionRecord& record : analysis.Fractions) {
      if (record.label.kind != FractionName::Peak) record.name = FractionNameText(shell, record.label);
    }
  }
  // A summary row left without a label (too small a mean) keeps its empty name.
  for (FractionSummary& row : result.FractionRows) {
    if (row.label.kind != FractionName::Peak) row.name = FractionNameText(shell, row.label);
  }
  if (result.ResidueSummary.label.kind == FractionName::Residue)
    result.ResidueSummary.name = FractionNameText(shell, result.ResidueSummary.label);
}

void LogFindings(const Shell& shell, const std::vector<Finding>& findings, MessageLog& log) {
  for (const Finding& finding : findings) log.Append(finding.kind, WordFinding(shell, finding));
}

}  // namespace p528
