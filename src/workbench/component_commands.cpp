#include "workbench/component_commands.h"

#include "workbench/workbench.h"

namespace p528 {

bool ApplyComponentEditsAndSave(Workbench& workbench, const ComponentEdits& edits, std::string& error) {
  ComponentTable edited = workbench.components();
  ApplyComponentEdits(edited, edits);
  try {
    workbench.ApplyComponents(std::move(edited));
  } catch (const ComponentTableSaveError& failure) {
    error = failure.what();
    return false;
  }
  return true;
}

}  // namespace p528
