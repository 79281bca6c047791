// The calculation's findings and fraction names in words: the texts of the interface
// language's string table, formatted with the arguments the calculation gave.
#pragma once

#include "engine/calculation.h"

#include <string>
#include <vector>

namespace p528 {

class Shell;
class MessageLog;

// The text of `id` formatted printf-style with `args` in order: a number argument to a
// number conversion, a text or a fraction name (worded) to "%s". A conversion without its
// argument, or with one of the other kind, is formatted with 0 or "" instead.
std::string FormatText(const Shell& shell, int id, const std::vector<FindingArg>& args);

// The finding's parts, each formatted, joined without separator.
std::string WordFinding(const Shell& shell, const Finding& finding);

// A fraction's name: "начало", "без имени", "Фр. %.0f-%.0f", "Остаток"; "" for a peak's
// record, which is called by the peak's own name.
std::string FractionNameText(const Shell& shell, const FractionName& name);

// Words every fraction record's and summary row's name from its label.
void NameFractions(const Shell& shell, CalcResult& result);

// Appends every finding, worded, to the log under its kind, in the order found.
void LogFindings(const Shell& shell, const std::vector<Finding>& findings, MessageLog& log);

}  // namespace p528
