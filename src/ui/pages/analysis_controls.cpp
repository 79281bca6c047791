#include "ui/pages/analysis_controls.h"

#include "ui/control_ids.h"
#include "ui/dialog_seams.h"
#include "ui/numeric_edit.h"
#include "ui/pages/colour_swatch.h"
#include "ui/ui_text.h"
#include "ui/window_texts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace p528::ui {

namespace distid = control::distillation;

AnalysisControls::AnalysisControls(const Shell& shell, DialogSeams& seams, CChart& chart, QWidget* parent,
                                   bool withReadOuts, const QString& initialText)
    : QObject(parent), seams_(seams), chart_(chart), parent_(parent) {
  for (int k = 0; k < kAnalysisCurves; ++k) {
    AnalysisGroup& g = groups_[static_cast<std::size_t>(k)];
    g.group = new QGroupBox(Text(shell, text::kDistillationGroup + k), parent);
    g.group->setObjectName(Id(distid::kGroups[k]));
    g.show = new QCheckBox(Text(shell, text::kDistillationShow), g.group);
    g.show->setObjectName(Id(distid::kShow[k]));
    g.show->setChecked(true);
    g.swatch = new CColourSwatch(g.group);
    g.swatch->setObjectName(Id(distid::kSwatches[k]));
    g.swatch->SetColour(kAnalysisCurveColours[static_cast<std::size_t>(k)]);
    g.x = new QLineEdit(initialText, g.group);
    g.x->setObjectName(Id(distid::kX[k]));
    g.y = new QLineEdit(initialText, g.group);
    g.y->setObjectName(Id(distid::kY[k]));
    g.calculateY = new QPushButton(Text(shell, text::kDistillationCalculateY), g.group);
    g.calculateY->setObjectName(Id(distid::kCalculateY[k]));
    g.calculateX = new QPushButton(Text(shell, text::kDistillationCalculateX), g.group);
    g.calculateX->setObjectName(Id(distid::kCalculateX[k]));
    for (QPushButton* button : {g.calculateY, g.calculateX}) button->setAutoDefault(false);
    MakeNumericEdit(g.x);
    MakeNumericEdit(g.y);

    auto* grid = new QGridLayout(g.group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(g.show, 0, 0, 1, 2);
    grid->addWidget(g.swatch, 0, 2);
    grid->addWidget(new QLabel(Text(shell, text::kXLabel), g.group), 1, 0);
    grid->addWidget(g.x, 1, 1, 1, 2);
    grid->addWidget(new QLabel(Text(shell, text::kYLabel), g.group), 2, 0);
    grid->addWidget(g.y, 2, 1, 1, 2);
    grid->addWidget(g.calculateY, 3, 0, 1, 3);
    grid->addWidget(g.calculateX, 4, 0, 1, 3);
    if (withReadOuts) {
      g.readX = new QLineEdit(g.group);
      g.readX->setObjectName(Id(distid::kReadX[k]));
      g.readY = new QLineEdit(g.group);
      g.readY->setObjectName(Id(distid::kReadY[k]));
      for (QLineEdit* edit : {g.readX, g.readY}) edit->setReadOnly(true);
      grid->addWidget(new QLabel(Text(shell, text::kXLabel), g.group), 5, 0);
      grid->addWidget(g.readX, 5, 1, 1, 2);
      grid->addWidget(new QLabel(Text(shell, text::kYLabel), g.group), 6, 0);
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
