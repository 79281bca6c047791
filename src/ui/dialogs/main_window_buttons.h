// The main window's five dialog and report buttons ("Компоненты", "Настройки анализа",
// "Настройки отчета", "Отчет", "Сохранить отчет") bound to the commands that run them on
// the window's own workbench, seams and charts. The plug-in's window factory binds them
// once, right after it creates the window. User-interface thread only.
#pragma once

namespace p528::ui {

class CDarErud528Dlg;

void ConnectDialogButtons(CDarErud528Dlg& window);

}  // namespace p528::ui
