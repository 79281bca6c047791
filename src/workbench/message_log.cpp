#include "workbench/message_log.h"

#include "engine/texts/log_texts.h"
#include "shell/shell.h"
#include "shell/string_table.h"
#include "shell/text.h"

namespace p528 {

std::string MessageLog::Str(int id) const {
  if (shell_) return shell_->Str(id);
  const char* found = RussianStrings().Find(id);
  return found ? found : "";
}

void MessageLog::Append(MessageKind kind, std::string text) {
  switch (kind) {
    case MessageKind::Error: errors_.push_back(std::move(text)); break;
    case MessageKind::Warning: warnings_.push_back(std::move(text)); break;
    case MessageKind::Information: information_.push_back(std::move(text)); break;
  }
  empty_ = false;
}

void MessageLog::Clear() {
  errors_.clear();
  warnings_.clear();
  information_.clear();
  empty_ = true;
}

const std::string& MessageLog::Format() {
  text_.clear();
  if (empty_) {
    text_ = Str(text::kLogEmpty);
    return text_;
  }
  int n = 0;
  auto append = [&](bool shown, int lineId, const std::vector<std::string>& list) {
    if (!shown) return;
    const std::string line = Str(lineId);
    for (const std::string& message : list) {
      ++n;
      text_ += p528::Format(line.c_str(), n, message.c_str());
    }
  };
  append(showErrors, text::kLogErrorLine, errors_);
  append(showWarnings, text::kLogWarningLine, warnings_);
  append(showInformation, text::kLogInfoLine, information_);
  return text_;
}

std::string MessageLog::FormatError(std::size_t index) const {
  if (index >= errors_.size()) return std::string();
  return p528::Format(Str(text::kLogReportError).c_str(), Str(text::kLogErrorLabel).c_str(),
                      errors_[index].c_str());
}

}  // namespace p528
