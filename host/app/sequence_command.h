// "Обработать последовательность…" of the desktop host: the assays selected in the table
// (with none selected, the ones the table shows: a day's, when the filter shows one day)
// are calculated as a sequence by `simdist batch` in a process of its own, with the host's
// database, profile and language, each sample's JSON and report written into a folder of
// the run beside the data folder. A progress dialog follows the samples (and can cancel the
// run); the summary window shows every sample's row when it ends.
//
// The grouping and the calculation are simdist's (host/kit/sequence_plan.h and the plug-in's
// core): the host only starts it and shows what it wrote.
#pragma once

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace p528::host {

class HostPrompts;
class HostWindow;
struct HostOptions;

struct SequenceRequest {
  std::vector<int64_t> ids;  // the assays, in table order
  std::string database;      // the host's assay database
  std::string profile;       // the host's profile (the plug-in's settings)
  std::string language;      // "ru" or "en"
  std::string outputRoot;    // the runs' folders are made under it
};

// The simdist program the host runs: beside the host, else the one of the build tree.
QString SimdistProgram();

// Adds the command to the window's assay menu: the selected assays, else the shown ones.
void AddSequenceCommand(HostWindow& window, HostPrompts& prompts, const HostOptions& options);

// Runs the sequence (modal progress), then opens its summary window (parented to `parent`).
// Tells through `prompts` when there is nothing to run or simdist cannot be started.
void RunSequence(QWidget* parent, HostPrompts& prompts, const SequenceRequest& request);

}  // namespace p528::host
