// Numbers of the shell's own texts in the string table (strings/<lang>/numbered.inc).
#pragma once

namespace p528::text {

// The host menu item that opens the main window.
inline constexpr int kMenuCaption = 2076;  // "Данные/Расчёты/Имитированная дистилляция нефти"

}  // namespace p528::text
