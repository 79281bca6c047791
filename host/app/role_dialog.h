// The question an import asks when it meets AIA files (".cdf"): which role they get, one of
// the six roles for every file or "by sample name rules", with the rules shown and edited in
// the same dialog. The role captions are the role texts of the plug-in's string table.
#pragma once

#include "host/kit/formats/aia_format.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

class QRadioButton;
class QTableWidget;

namespace p528::host {

class RoleDialog : public QDialog {
  Q_OBJECT

 public:
  // `roleTexts`: the captions of roles 1 to 6.
  RoleDialog(int fileCount, std::vector<QString> roleTexts, const std::vector<aia::RoleRule>& rules,
             QWidget* owner);

  aia::AiaRoleChoice Choice() const;
  // Checks the button of `role` (0: "by sample name rules").
  void Pick(int role);

 private:
  void AddRule(const aia::RoleRule& rule);

  std::vector<QString> roleTexts_;
  std::vector<QRadioButton*> roles_;  // roles 1 to 6, then the rules
  QTableWidget* rules_;
};

class DialogDriver;

// Asks; nullopt for Cancel. The rules of the result are those the dialog ended with.
// `driver` (when set) answers in place of a person.
std::optional<aia::AiaRoleChoice> AskAiaRole(int fileCount, const std::vector<QString>& roleTexts,
                                             const std::vector<aia::RoleRule>& rules, QWidget* owner,
                                             DialogDriver* driver);

}  // namespace p528::host
