#include "ui/main_window.h"

#include "shell/text.h"
#include "ui/control_ids.h"
#include "ui/dialog_seams.h"
#include "ui/pages/calibration_page.h"
#include "ui/pages/distillation_page.h"
#include "ui/pages/message_page.h"
#include "ui/pages/out_table_page.h"
#include "ui/ui_text.h"
#include "ui/window_icon.h"
#include "ui/window_place_qt.h"
#include "ui/window_texts.h"
#include "workbench/skipped_files_text.h"
#include "workbench/window_place.h"
#include "workbench/workbench_texts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QVBoxLayout>

namespace p528::ui {

namespace {

namespace mainid = control::main_window;

constexpr int kTemplateWidth = 605;  // dialog units
constexpr int kTemplateHeight = 360;

// Pages: the template of each tab (its object name).
constexpr int kPageTemplates[kResultPages] = {135, 146, 150, 146, 146, 146, 146, 131};

// The template's size in pixels for the window's font (dialog units: a quarter of the
// average character width across, an eighth of the character height down).
QSize TemplateSize(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
  const int baseY = metrics.height();
  return QSize(kTemplateWidth * baseX / 4, kTemplateHeight * baseY / 8);
}

}  // namespace

CDarErud528Dlg::CDarErud528Dlg(Shell& shell, std::string componentPath, const std::string& version,
                               DialogSeams* seams)
    : QDialog(nullptr, Qt::Window), shell_(shell), seams_(seams) {
  if (seams_ == nullptr) {
    ownSeams_ = std::make_unique<DesktopSeams>();
    seams_ = ownSeams_.get();
  }
  workbench_ = std::make_unique<Workbench>(shell_, std::move(componentPath), this);

  setObjectName(QStringLiteral("102"));
  InstallToolkitTranslations();
  setWindowIcon(WindowIcon());
  setWindowTitle(Text(shell_, text::kMainWindowTitle).replace(QStringLiteral("%s"), Qs(version)));
  setSizeGripEnabled(true);
  BuildControls();
  BuildPages();
  // The pages scroll, so the window fits a small screen's work area (1280 x 720 among
  // them); it opens at the template's size, or where it was left, fitted to the screen.
  setMinimumSize(minimumSizeHint());
  RestoreWindowPlace(*this, shell_, kMainWindowPlaceKey, TemplateSize(font()).expandedTo(minimumSizeHint()),
                     minimumSize());

  workbench_->Initialise();
  instrumentNumber_->setText(QString::number(workbench_->instrumentNumber()));
}

CDarErud528Dlg::~CDarErud528Dlg() {
  if (isVisible()) RememberWindowPlace(*this, shell_, kMainWindowPlaceKey);
  // The pages show the workbench's objects: they go before it.
  delete tabs_;
  delete fileList_;
  try {
    workbench_->SaveComponents();
  } catch (...) {
    // A table that cannot be written keeps its previous file; nothing to tell at exit.
  }
}

void CDarErud528Dlg::InstallToolkitTranslations() {
  // The toolkit's own dialogs (file, colour, message-box buttons) speak the interface's
  // language. The translator belongs to this window: it leaves the application with it.
  const QString language = QString::fromLatin1(shell_.ToolkitLanguage());
  if (language.isEmpty()) return;
  auto* translator = new QTranslator(this);
  if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;  // no translations installed: the toolkit's English stays
  }
}

QPushButton* CDarErud528Dlg::AddButton(int id, int text, const std::function<void()>& action) {
  auto* button = new QPushButton(Text(shell_, text), this);
  button->setObjectName(Id(id));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, action);
  return button;
}

void CDarErud528Dlg::BuildControls() {
  fileList_ = new CGridCtrl(this);
  fileList_->setObjectName(Id(mainid::kFileList));
  fileList_->SetTable(&workbench_->fileListForView());
  fileList_->SetOwner(this);
  // At least four files without scrolling; the window's template size shows a whole set.
  fileList_->setMinimumHeight(fileList_->horizontalHeader()->sizeHint().height() +
                              4 * fileList_->verticalHeader()->defaultSectionSize() + 4);
  connect(fileList_, &CGridCtrl::KeyDown, this, [this](int key) {
    if (key == Qt::Key_Delete) RemoveSelected();
  });

  auto* files = new QVBoxLayout;
  files->addWidget(AddButton(mainid::kAdd, text::kMainAdd,
                             [this] { workbench_->AddAssays(reinterpret_cast<intptr_t>(this)); }));
  files->addWidget(AddButton(mainid::kRemove, text::kMainRemove, [this] { RemoveSelected(); }));
  files->addWidget(AddButton(mainid::kRemoveAll, text::kMainRemoveAll, [this] { workbench_->RemoveAll(); }));
  files->addWidget(AddButton(mainid::kOpenInHost, text::kMainOpenInHost,
                             [this] { workbench_->OpenInHost(fileList_->SelectedRows()); }));
  auto* label = new QLabel(Text(shell_, text::kMainInstrumentLabel), this);
  label->setObjectName(Id(mainid::kInstrumentLabel));
  instrumentNumber_ = new QLineEdit(this);
  instrumentNumber_->setObjectName(Id(mainid::kInstrumentNumber));
  instrumentNumber_->setAlignment(Qt::AlignCenter);
  connect(instrumentNumber_, &QLineEdit::textEdited, this, [this] { InstrumentNumberEdited(); });
  label->setBuddy(instrumentNumber_);  // its mnemonic reaches the field
  files->addWidget(label);
  files->addWidget(instrumentNumber_);
  files->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(fileList_, 1);
  top->addLayout(files);

  // The dialog and report buttons run what the window's creator connected to them.
  auto run = [](const std::function<void()>& command) {
    if (command) command();
  };
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(
      AddButton(mainid::kComponents, text::kMainComponents, [this, run] { run(commands.components); }));
  bottom->addWidget(AddButton(mainid::kAnalysisSettings, text::kMainAnalysisSettings,
                              [this, run] { run(commands.analysisSettings); }));
  bottom->addWidget(AddButton(mainid::kReportSettings, text::kMainReportSettings,
                              [this, run] { run(commands.reportSettings); }));
  bottom->addStretch(1);
  bottom->addWidget(AddButton(mainid::kReport, text::kMainReport, [this, run] { run(commands.showReport); }));
  bottom->addWidget(
      AddButton(mainid::kSaveReport, text::kMainSaveReport, [this, run] { run(commands.saveReport); }));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(Id(mainid::kTabs));
  // Every tab caption stays readable: the window is never narrower than the tab row.
  tabs_->tabBar()->setUsesScrollButtons(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 2);
  layout->addWidget(tabs_, 5);
  layout->addLayout(bottom);
}

void CDarErud528Dlg::BuildPages() {
  Workbench& wb = *workbench_;
  calibrationPage_ = new CTabCalibChart(
      wb, [this] { RequestRecalculation(); }, tabs_);
  distillationPage_ = new CDlgPropChart(wb, *seams_, tabs_);
  messagePage_ = new CDlgMSG(wb, tabs_);
  ResultTables& results = wb.tablesForView();
  TableModel* tables[] = {&results.response, &results.repeatability, &results.fractions, &results.reference,
                          &results.iso3405};
  for (std::size_t i = 0; i < tablePages_.size(); ++i) tablePages_[i] = new CDlgOutTable(*tables[i], tabs_);
  pages_ = {calibrationPage_, tablePages_[0], distillationPage_, tablePages_[1],
            tablePages_[2],   tablePages_[3], tablePages_[4],    messagePage_};
  for (int tab = 0; tab < kResultPages; ++tab) {
    QWidget* page = pages_[static_cast<std::size_t>(tab)];
    page->setObjectName(Id(kPageTemplates[tab]));
    // A page larger than the room left scrolls instead of growing the window.
    auto* scroller = new QScrollArea(tabs_);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(page);
    tabs_->addTab(scroller, Text(shell_, text::kTabCalibration + tab));
  }
  tabs_->setCurrentIndex(0);
}

CChartWidget& CDarErud528Dlg::CalibrationChartWindow() { return calibrationPage_->ChartWindow(); }
CChartWidget& CDarErud528Dlg::DistillationChartWindow() { return distillationPage_->ChartWindow(); }

void CDarErud528Dlg::RequestRecalculation() {
  QMetaObject::invokeMethod(
      this, [this] { workbench_->Recalculate(); }, Qt::QueuedConnection);
}

void CDarErud528Dlg::hideEvent(QHideEvent* event) {
  // Closing hides the window: its place and size are kept for the next session.
  if (!event->spontaneous()) RememberWindowPlace(*this, shell_, kMainWindowPlaceKey);
  QDialog::hideEvent(event);
}

void CDarErud528Dlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CDarErud528Dlg::RemoveSelected() { workbench_->RemoveRows(fileList_->SelectedRows()); }

void CDarErud528Dlg::InstrumentNumberEdited() {
  const QString shown = Qs(workbench_->InstrumentNumberChanged(Std(instrumentNumber_->text())));
  if (instrumentNumber_->text() != shown) instrumentNumber_->setText(shown);
}

void CDarErud528Dlg::ShowDatabaseError(const DataBase::SqlException&, const std::string& text) {
  seams_->ShowMessage(this, windowTitle(), Qs(MessageBoxLines(text)), DialogSeams::MessageKind::Error);
}

void CDarErud528Dlg::FilesSkipped(const std::vector<SkippedFile>& skipped) {
  seams_->ShowMessage(this, windowTitle(), Qs(MessageBoxLines(SkippedFilesText(shell_, skipped))),
                      DialogSeams::MessageKind::Warning);
}

void CDarErud528Dlg::ShowInstrumentNumberRefused(const std::string& text) {
  seams_->ShowMessage(this, Text(shell_, text::kMainInstrumentNumber), Qs(text),
                      DialogSeams::MessageKind::Warning);
}

void CDarErud528Dlg::Recalculated() {
  if (fileList_ == nullptr) return;
  fileList_->Refresh();
  calibrationPage_->Refresh();
  for (CDlgOutTable* page : tablePages_) page->Refresh();
  messagePage_->Refresh();
}

int CDarErud528Dlg::OnGridDoubleClick(int, int, int& result) {
  workbench_->OpenFirstInHost(fileList_->SelectedRows());
  result = 0;
  return 0;
}

}  // namespace p528::ui
