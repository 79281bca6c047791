// The dialog "Настройка анализа" (Qt): the method, the reference sample and the numbers of
// the analysis, edited in place in the engine object CAnalysis. Opening rereads the stored
// settings and keeps copies of the six unstored texts; every numeric edit is filtered as it
// changes; OK (and Enter) normalises, stores what changed and posts a recalculation to the
// main window; "Отмена" (and Escape, and the close box) goes back to the stored settings and
// puts the six texts back, so the engine never calculates with values the user cancelled.
//
// Object names are the control ids ("1034" ... "1152", "1046", "1047"); the dialog's is
// "141". The CAnalysis must outlive the dialog. User-interface thread only.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace p528 {
class CAnalysis;
}

namespace p528::ui {

class AnalysisSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `window`: the main window that OK asks to recalculate (through `recalculate`, queued on
  // its event loop); none: OK stores only.
  AnalysisSettingsDialog(CAnalysis& analysis, QWidget* window, std::function<void()> recalculate,
                         QWidget* parent = nullptr);

 public slots:
  // "Отмена", Escape and the close box.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Field {
    QLineEdit* edit;
    std::string CAnalysis::*member;
  };

  void TakeControls();
  void ShowMembers();
  void UpdateMassFields();
  void UpdateReferenceButton();
  void Filter(const Field& field);
  void ResetStep();
  void Ok();
  void ReferenceParams();

  CAnalysis& analysis_;
  QWidget* window_;
  std::function<void()> recalculate_;
  QButtonGroup* methods_;
  QButtonGroup* references_;
  std::vector<Field> fields_;
  QPushButton* referenceParams_;
};

}  // namespace p528::ui
