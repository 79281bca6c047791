// The question an import asks when it meets AIA files (".cdf"): the role of each file. The
// files are listed with their sample names and the role the sample name rules propose
// ("not imported" when none fits); the person changes any of them, or edits the rules (kept
// in the profile) and the proposals follow, for the files not changed by hand. There is no
// role for every file at once and no default button: Enter while editing a rule never
// accepts the import.
#pragma once

#include "host/kit/formats/aia_format.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QTableWidget;

namespace p528::host {

// One file of the question: its path and its sample name.
struct RoleFile {
  std::string source;
  std::string sample;
};

class RoleDialog : public QDialog {
  Q_OBJECT

 public:
  // `roleTexts`: the captions of roles 1 to 6.
  RoleDialog(std::vector<RoleFile> files, std::vector<QString> roleTexts,
             const std::vector<aia::RoleRule>& rules, QWidget* owner);

  aia::AiaRoleChoice Choice() const;
  // Gives every file `role` (1..6) as a person would one by one; 0: the rules' proposals.
  void Pick(int role);

 private:
  void AddRule(const aia::RoleRule& rule);
  std::vector<aia::RoleRule> Rules() const;
  // Sets the proposal of the rules for every file not changed by hand (all with `all`).
  void Propose(bool all);

  std::vector<RoleFile> files_;
  std::vector<QString> roleTexts_;
  std::vector<bool> byHand_;  // per file: its role was chosen by hand
  QTableWidget* files_table_;
  QTableWidget* rules_;
  bool proposing_ = false;
};

class DialogDriver;

// Asks; nullopt for Cancel. The rules of the result are those the dialog ended with.
// `driver` (when set) answers in place of a person.
std::optional<aia::AiaRoleChoice> AskAiaRole(const std::vector<RoleFile>& files,
                                             const std::vector<QString>& roleTexts,
                                             const std::vector<aia::RoleRule>& rules, QWidget* owner,
                                             DialogDriver* driver);

}  // namespace p528::host
