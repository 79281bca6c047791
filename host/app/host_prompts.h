// How the desktop host tells the person something or asks a yes/no question. The desktop
// answers with message boxes; a scripted run (--script) prints the text instead and
// answers yes, so no window waits for a person.
#pragma once

#include <QString>

class QWidget;

namespace p528::host {

class HostPrompts {
 public:
  virtual ~HostPrompts() = default;
  virtual void Tell(QWidget* parent, const QString& text, bool error) = 0;
  virtual bool Confirm(QWidget* parent, const QString& text) = 0;
};

class DesktopPrompts final : public HostPrompts {
 public:
  void Tell(QWidget* parent, const QString& text, bool error) override;
  bool Confirm(QWidget* parent, const QString& text) override;
};

// Prints "message: TEXT" (or "error: TEXT") to standard output; confirms everything.
class PrintedPrompts final : public HostPrompts {
 public:
  void Tell(QWidget* parent, const QString& text, bool error) override;
  bool Confirm(QWidget* parent, const QString& text) override;
};

}  // namespace p528::host
