// Texts of the windows: numbered texts of the current resources as QString, and the
// UTF-8 <-> QString conversions at the boundary between the windows and the core.
#pragma once

#include "shell/shell.h"

#include <QString>
#include <string>

namespace p528::ui {

inline QString Qs(const std::string& text) { return QString::fromStdString(text); }
inline std::string Std(const QString& text) { return text.toStdString(); }
// Text `id` of the string table of the interface language.
inline QString Text(const Shell& shell, int id) { return Qs(shell.Str(id)); }
// Name of a control: its control id.
inline QString Id(int id) { return QString::number(id); }

}  // namespace p528::ui
