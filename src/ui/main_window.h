// CDarErud528Dlg: the main window, a modeless dialog over the workbench and a top-level
// window of its own (no parent keeps it above another window). It shows the file
// list (control 1012), the command buttons, the instrument number (1168) and the eight
// result pages in the tab control (1005), turns clicks and keys into workbench commands and
// refreshes the pages after every recalculation. Every rule stays in the workbench.
//
// Ownership: the window owns its Workbench; the Shell belongs to the module and outlives
// the window; the DialogSeams are the given ones (they must outlive the window) or a
// DesktopSeams of the window's own. Closing hides the window and keeps its state.
//
// The buttons "Компоненты", "Настройки анализа", "Настройки отчета", "Отчет" and
// "Сохранить отчет" run the MainWindowCommands set by whoever creates the window; an
// empty command does nothing. User-interface thread only.
#pragma once

#include "grid/qt/grid_ctrl.h"
#include "workbench/workbench.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace p528 {
class CChartWidget;
}

namespace p528::ui {

class CDlgMSG;
class CDlgOutTable;
class CDlgPropChart;
class CTabCalibChart;
class DialogSeams;

// What the five dialog and report buttons run.
struct MainWindowCommands {
  std::function<void()> components;        // "Компоненты" (1016)
  std::function<void()> analysisSettings;  // "Настройки анализа" (1014)
  std::function<void()> reportSettings;    // "Настройки отчета" (1011)
  std::function<void()> showReport;        // "Отчет" (1008)
  std::function<void()> saveReport;        // "Сохранить отчет" (1013)
};

inline constexpr int kResultPages = 8;

class CDarErud528Dlg final : public QDialog, public WorkbenchUser, public GridOwner {
  Q_OBJECT

 public:
  // Builds the window and initialises it (component table, pages, remembered files,
  // instrument number, assay ids, recalculation).
  CDarErud528Dlg(Shell& shell, std::string componentPath, const std::string& version,
                 DialogSeams* seams = nullptr);
  ~CDarErud528Dlg() override;

  // What the dialogs and the report need of the main window.
  QWidget* Window() { return this; }
  Workbench& GetWorkbench() { return *workbench_; }
  DialogSeams& Seams() { return *seams_; }
  CChartWidget& CalibrationChartWindow();
  CChartWidget& DistillationChartWindow();
  MainWindowCommands commands;

  // Recalculation requests (0x401 from the analysis settings, 0x402 from the calibration
  // tab): queued on the event loop, each runs one recalculation.
  void RequestRecalculation();

  CGridCtrl& FileList() { return *fileList_; }
  QTabWidget& Tabs() { return *tabs_; }
  QWidget* Page(int tab) const { return pages_[static_cast<std::size_t>(tab)]; }
  CTabCalibChart& CalibrationPage() { return *calibrationPage_; }
  CDlgPropChart& DistillationPage() { return *distillationPage_; }
  CDlgMSG& MessagePage() { return *messagePage_; }

  // WorkbenchUser
  void ShowDatabaseError(const DataBase::SqlException& error, const std::string& text) override;
  void ShowInstrumentNumberRefused(const std::string& text) override;
  // Files "Добавить" (or the restoring of the remembered ones) left out: one message.
  void FilesSkipped(const std::vector<SkippedFile>& skipped) override;
  void Recalculated() override;
  // GridOwner of the file list: a double click opens the first selected assay in the host.
  int OnGridDoubleClick(int row, int column, int& result) override;

 protected:
  // Enter, like Escape, ends the dialog: the window hides and keeps its state.
  void keyPressEvent(QKeyEvent* event) override;
  // Remembers the place and size when the window hides (closing hides it).
  void hideEvent(QHideEvent* event) override;

 private:
  void InstallToolkitTranslations();
  void BuildControls();
  void BuildPages();
  void RemoveSelected();
  void InstrumentNumberEdited();
  QPushButton* AddButton(int id, int text, const std::function<void()>& action);

  Shell& shell_;
  std::unique_ptr<DialogSeams> ownSeams_;
  DialogSeams* seams_;
  std::unique_ptr<Workbench> workbench_;
  CGridCtrl* fileList_ = nullptr;
  QLineEdit* instrumentNumber_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<QWidget*, kResultPages> pages_{};
  CTabCalibChart* calibrationPage_ = nullptr;
  CDlgPropChart* distillationPage_ = nullptr;
  CDlgMSG* messagePage_ = nullptr;
  std::array<CDlgOutTable*, 5> tablePages_{};
  QLayout* buttons_ = nullptr;
};

}  // namespace p528::ui
