#include "ui/pages/analysis_controls.h"

#include "ui/dialog_seams.h"
#include "ui/numeric_edit.h"
#include "ui/pages/colour_swatch.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace p528::ui {

namespace {

// Control ids of analysis 1, 2, 3.
constexpr int kGroupIds[] = {1050, 1061, 1068};
constexpr int kShowIds[] = {1047, 1057, 1064};
constexpr int kSwatchIds[] = {1048, 1056, 1063};
constexpr int kXIds[] = {1049, 1052, 1062};
constexpr int kYIds[] = {1051, 1058, 1065};
constexpr int kCalculateYIds[] = {1054, 1059, 1066};
constexpr int kCalculateXIds[] = {1055, 1060, 1067};
constexpr int kReadXIds[] = {1070, 1072, 1074};
constexpr int kReadYIds[] = {1071, 1073, 1075};

constexpr int kGroupText = 4040;  // "Анализ 1"; 4041, 4042
constexpr int kShowText = 4043;   // "Отобразить"
constexpr int kXText = 4044;      // "X:"
constexpr int kYText = 4045;      // "Y:"
constexpr int kCalculateYText = 4046;
constexpr int kCalculateXText = 4047;

}  // namespace

AnalysisControls::AnalysisControls(const Shell& shell, DialogSeams& seams, CChart& chart, QWidget* parent,
                                   bool withReadOuts, const QString& initialText)
    : QObject(parent), seams_(seams), chart_(chart), parent_(parent) {
  for (int k = 0; k < kAnalysisCurves; ++k) {
    AnalysisGroup& g = groups_[static_cast<std::size_t>(k)];
    g.group = new QGroupBox(Text(shell, kGroupText + k), parent);
    g.group->setObjectName(Id(kGroupIds[k]));
    g.show = new QCheckBox(Text(shell, kShowText), g.group);
    g.show->setObjectName(Id(kShowIds[k]));
    g.show->setChecked(true);
    g.swatch = new CColourSwatch(g.group);
    g.swatch->setObjectName(Id(kSwatchIds[k]));
    g.swatch->SetColour(kAnalysisCurveColours[static_cast<std::size_t>(k)]);
    g.x = new QLineEdit(initialText, g.group);
    g.x->setObjectName(Id(kXIds[k]));
    g.y = new QLineEdit(initialText, g.group);
    g.y->setObjectName(Id(kYIds[k]));
    g.calculateY = new QPushButton(Text(shell, kCalculateYText), g.group);
    g.calculateY->setObjectName(Id(kCalculateYIds[k]));
    g.calculateX = new QPushButton(Text(shell, kCalculateXText), g.group);
    g.calculateX->setObjectName(Id(kCalculateXIds[k]));
    for (QPushButton* button : {g.calculateY, g.calculateX}) button->setAutoDefault(false);
    MakeNumericEdit(g.x);
    MakeNumericEdit(g.y);

    auto* grid = new QGridLayout(g.group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(g.show, 0, 0, 1, 2);
    grid->addWidget(g.swatch, 0, 2);
    grid->addWidget(new QLabel(Text(shell, kXText), g.group), 1, 0);
    grid->addWidget(g.x, 1, 1, 1, 2);
    grid->addWidget(new QLabel(Text(shell, kYText), g.group), 2, 0);
    grid->addWidget(g.y, 2, 1, 1, 2);
    grid->addWidget(g.calculateY, 3, 0, 1, 3);
    grid->addWidget(g.calculateX, 4, 0, 1, 3);
    if (withReadOuts) {
      g.readX = new QLineEdit(g.group);
      g.readX->setObjectName(Id(kReadXIds[k]));
      g.readY = new QLineEdit(g.group);
      g.readY->setObjectName(Id(kReadYIds[k]));
      for (QLineEdit* edit : {g.readX, g.readY}) edit->setReadOnly(true);
      grid->addWidget(new QLabel(Text(shell, kXText), g.group), 5, 0);
      grid->addWidget(g.readX, 5, 1, 1, 2);
      grid->addWidget(new QLabel(Text(shell, kYText), g.group), 6, 0);
      grid->addWidget(g.readY, 6, 1, 1, 2);
    }
    grid->setColumnStretch(1, 1);

    connect(g.show, &QCheckBox::clicked, this, [this] { ApplyShowFlags(); });
    connect(g.swatch, &CColourSwatch::Clicked, this, [this, k] { ChooseColour(k); });
    connect(g.calculateY, &QPushButton::clicked, this,
            [this, k, &g] { g.y->setText(Qs(CurveCalculatorText(chart_, k, true, Std(g.x->text())))); });
    connect(g.calculateX, &QPushButton::clicked, this,
            [this, k, &g] { g.x->setText(Qs(CurveCalculatorText(chart_, k, false, Std(g.y->text())))); });
  }
}

std::array<COLORREF, kAnalysisCurves> AnalysisControls::Colours() const {
  std::array<COLORREF, kAnalysisCurves> colours{};
  for (int k = 0; k < kAnalysisCurves; ++k) {
    colours[static_cast<std::size_t>(k)] = groups_[static_cast<std::size_t>(k)].swatch->Colour();
  }
  return colours;
}

std::array<bool, kAnalysisCurves> AnalysisControls::Shown() const {
  std::array<bool, kAnalysisCurves> shown{};
  for (int k = 0; k < kAnalysisCurves; ++k) {
    shown[static_cast<std::size_t>(k)] = groups_[static_cast<std::size_t>(k)].show->isChecked();
  }
  return shown;
}

void AnalysisControls::SetColours(const std::array<COLORREF, kAnalysisCurves>& colours) {
  for (int k = 0; k < kAnalysisCurves; ++k) {
    groups_[static_cast<std::size_t>(k)].swatch->SetColour(colours[static_cast<std::size_t>(k)]);
    SetCurveColour(chart_, k, colours[static_cast<std::size_t>(k)]);
  }
  chart_.Invalidate();
}

void AnalysisControls::ChooseColour(int k) {
  // The chooser opens on black, as the swatch's colour dialog always did.
  const std::optional<QColor> chosen = seams_.ChooseColour(parent_, QColor(0, 0, 0));
  if (chosen) {
    const COLORREF colour = FromQColor(*chosen);
    SetCurveColour(chart_, k, colour);
    groups_[static_cast<std::size_t>(k)].swatch->SetColour(colour);
  }
  ApplyShowFlags();
}

void AnalysisControls::ApplyShowFlags() { p528::ApplyShowFlags(chart_, Shown()); }

void AnalysisControls::ClickReadOut() {
  std::array<ReadOutTexts, kAnalysisCurves> readOuts;
  for (int k = 0; k < kAnalysisCurves; ++k) {
    const AnalysisGroup& g = groups_[static_cast<std::size_t>(k)];
    if (g.readX == nullptr) return;
    readOuts[static_cast<std::size_t>(k)] = {Std(g.readX->text()), Std(g.readY->text())};
  }
  AnalysisClickReadOut(chart_, readOuts);
  for (int k = 0; k < kAnalysisCurves; ++k) {
    const AnalysisGroup& g = groups_[static_cast<std::size_t>(k)];
    g.readX->setText(Qs(readOuts[static_cast<std::size_t>(k)].x));
    g.readY->setText(Qs(readOuts[static_cast<std::size_t>(k)].y));
  }
}

}  // namespace p528::ui
