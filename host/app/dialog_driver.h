// What answers the host's modal dialogs in place of a person: nothing in daily work; the
// scripted actions (script_runner.h) set one so a run for tests and pictures shows every
// dialog for real and ends it by itself.
#pragma once

class QDialog;

namespace p528::host {

class DialogDriver {
 public:
  virtual ~DialogDriver() = default;
  // Called just before `dialog` runs modally; may arrange for it to answer and end itself.
  virtual void Drive(QDialog& dialog) = 0;
};

}  // namespace p528::host
