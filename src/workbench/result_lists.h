// The result lists of the main window's table pages filled from a calculation's result, in
// the interface language: the numbers the calculation made, written as the pages and the
// report show them. Nothing here decides a number or a verdict.
#pragma once

#include "lists/table_model.h"

#include <string>

namespace p528 {

class Shell;
struct CalcResult;
struct ResultTables;

// Every list from `result`: the response factors, the reference check and the ISO 3405
// estimates always; the repeatability and fraction lists only when the curves were built
// (State from StateCurves on), else they are only emptied and keep their columns.
void FillResultLists(const CalcResult& result, const Shell& shell, ResultTables& tables);

// "Коэфф. отклика": one line per response row with a component ("№", name, area, mass,
// factor, conformity).
void FillResponseList(const CalcResult& result, const Shell& shell, TableModel& list);
// "Доля отгона", in the layout of the method: temperatures of the shown analyses (two at
// most for the area-normalisation methods), mean, (±Δ,) difference, limit, conformity;
// "Посл. доля" for the internal-standard methods; the residue block of GOST R 54291.
void FillRepeatabilityTable(const CalcResult& result, const Shell& shell, TableModel& table);
// "Комп.-фракц. состав": columns by method and number of analyses, "%.3f" values, "---"
// for a value not determined.
void FillFractionTable(const CalcResult& result, const Shell& shell, TableModel& table);
// "Анализ эталона": one line per compared reference point.
void FillReferenceTable(const CalcResult& result, const Shell& shell, TableModel& list);
// "Доля отгона по ISO 3405": one line per correlation row.
void FillIso3405Table(const CalcResult& result, const Shell& shell, TableModel& table);

// The label of a percent in the result lists: "Тнк (0.5)", "Ткк (99.5)", else "%.1f".
std::string Iso3405Label(const Shell& shell, double percent);

}  // namespace p528
