// The texts of the result register's windows (history, control chart), in Russian and
// English after the host's language (HostIsRussian). Placeholders are Qt's (%1, %2).
#pragma once

#include <QString>

namespace p528::host {

enum class RegisterText {
  NotRegistered,
  MenuRegister,
  History,
  ControlChart,
  HistoryTitle,
  FilterSample,
  FilterFrom,
  FilterTo,
  FilterInstrument,
  FilterMethod,
  Any,
  ColumnEntry,
  ColumnRegistered,
  ColumnInstrument,
  ColumnMethod,
  ColumnSample,
  ColumnOperator,
  ColumnState,
  StateOutOfControl,
  StateSuperseded,
  StateCorrects,
  OpenReport,
  Compare,
  ExportCsv,
  ExportJson,
  NoReport,
  CompareNeedsTwo,
  CompareSameSample,
  CompareTitle,
  CompareWhat,
  ChartTitle,
  ChartInstrument,
  ChartPercent,
  ChartBaseline,
  ChartBaselineFrom,
  ChartBaselineCount,
  ChartResult,
  ChartTemperature,
  ChartMovingRange,
  ChartLimits,
  ChartNoLimits,
  ChartNoResults,
  ChartPoints,
  FlagBeyond,
  FlagRun,
  FlagTrend,
  FlagMovingRange,
  StatusEntries,
  ExportFailed,
  Last
};

QString RegisterTr(RegisterText id);

}  // namespace p528::host
