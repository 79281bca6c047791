// The system message log: every finding of a calculation (an error, a warning or a note for
// the user) is appended here as one finished text, worded (workbench/wording.h); the messages page shows the
// numbered, filtered text that Format builds, and the report lists the errors (FormatError).
//
// One log per process (held by the module / workbench), cleared at the start of each
// recalculation and formatted at its end. Appending never fails and never refreshes the
// formatted text. The log never splits, trims or deduplicates texts.
//
// The fixed words of the formatted text ("Ошибка!", the empty-log line...) come from the
// string table of the interface language, hence the Shell given at construction (a log
// made without one uses the module's own Russian texts).
#pragma once

#include "engine/finding.h"

#include <cstddef>
#include <string>
#include <vector>

namespace p528 {

class Shell;

struct SysMessage {
  MessageKind kind;
  std::string text;
};

class MessageLog {
 public:
  explicit MessageLog(const Shell* shell = nullptr) : shell_(shell) {}

  // Adds `text` at the end of the list of its kind and resets the emptiness flag.
  void Append(MessageKind kind, std::string text);
  void AddError(std::string text) { Append(MessageKind::Error, std::move(text)); }
  void AddWarning(std::string text) { Append(MessageKind::Warning, std::move(text)); }
  void AddInformation(std::string text) { Append(MessageKind::Information, std::move(text)); }

  // Empties the three lists and sets the emptiness flag; the filters stay.
  void Clear();

  // Rebuilds the formatted text from the lists and the filters, stores it (Text()) and
  // returns it. Numbering runs across the kinds shown: errors, then warnings, then
  // information.
  const std::string& Format();
  // Report form of error `index`: "%s \r\n\t%s\r\n" with the error label and the text;
  // "" when index is not below ErrorCount().
  std::string FormatError(std::size_t index) const;

  const std::vector<std::string>& Errors() const { return errors_; }
  const std::vector<std::string>& Warnings() const { return warnings_; }
  const std::vector<std::string>& Information() const { return information_; }
  std::size_t ErrorCount() const { return errors_.size(); }
  bool IsEmpty() const { return empty_; }
  // The text of the last Format.
  const std::string& Text() const { return text_; }

  // Filters bound to the check boxes "Ошибки", "Предупреждения", "Информация"; all set
  // when the log is created, not persisted.
  bool showErrors = true;
  bool showWarnings = true;
  bool showInformation = true;

 private:
  std::string Str(int id) const;

  const Shell* shell_;
  std::vector<std::string> errors_;
  std::vector<std::string> warnings_;
  std::vector<std::string> information_;
  bool empty_ = true;
  std::string text_;
};

}  // namespace p528
