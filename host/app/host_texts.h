// The desktop host's own texts, in Russian and English (the plug-in keeps its own tables).
// The language follows the host's interface language: 0x0419 Russian, anything else English.
// Placeholders are Qt's (%1, %2).
#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace p528::host {

enum class Text {
  AppTitle,
  MenuFile,
  ImportFiles,
  ImportFolder,
  Quit,
  MenuAssay,
  OpenAssay,
  HideAssay,
  UnhideAssay,
  DeleteAssay,
  ColumnId,
  ColumnSample,
  ColumnTime,
  ColumnRole,
  ColumnFile,
  Filter,
  FilterHint,
  HiddenMark,
  StatusAssays,
  StatusFound,
  StatusImported,
  StatusImporting,
  ImportTitle,
  ImportSkipped,
  ImportFailed,
  ChromatogramFiles,
  SkipUnknownFormat,
  SkipUnreadable,
  SkipNotChromatogram,
  SkipDuplicate,
  SkipNotStored,
  DeleteQuestion,
  PluginsTitle,
  PluginNotLoaded,
  DatabaseNotOpened,
  ChooserTitle,
  ChooserText,
  ChooserRole,
  RoleAny,
  ChooserFrom,
  ChooserUntil,
  ChooserCount,
  Ok,
  Cancel,
  ViewerTitle,
  ViewerTime,
  ViewerSignal,
  ViewerPassport,
  ViewerPeaks,
  ViewerUnreadable,
  PassportFieldName,
  PassportValue,
  PassportSample,
  PassportTime,
  PassportMethod,
  PassportDuration,
  PassportSeries,
  PassportFile,
  PassportChannel,
  PassportChannelValue,
  PeakName,
  PeakTime,
  PeakFront,
  PeakBack,
  PeakArea,
  PeakHeight,
  ReadStatus1,
  ReadStatus2,
  ReadStatus3,
  ReadStatus4,
  ReadStatus5,
  ReadStatus6,
  ReadStatus7,
  ReadStatusOther,
  RoleTitle,
  RoleQuestion,
  RoleRulesHint,
  RuleSampleText,
  RuleAdd,
  RuleRemove,
  RoleCalibrationName,
  RoleBlankName,
  RoleAnalysisName,
  RoleStandardName,
  RoleReferenceName,
  RoleCheckName,
  DeletedMark,
  MenuView,
  ShowHidden,
  ShowDeleted,
  RestoreAssay,
  ChangeRole,
  ChangeRoleTitle,
  ChangeRoleQuestion,
  ChangeRoleFailed,
  RestoreDuplicate,
  FirstStartDemo,
  RoleFilesColumn,
  RoleNone,
  Count
};

// Sets the language of every later Tr() call.
void SetHostLanguage(uint16_t languageId);
bool HostIsRussian();
QString Tr(Text id);
// Why a chromatogram file did not read: the text of a ChrmFile::LoadFromFile status.
QString ReadStatusText(int status);

// A UTF-8 text of the core as a Qt text.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }
// A text written in place in both languages, in the host's.
inline QString T(const char* ru, const char* en) { return QString::fromUtf8(HostIsRussian() ? ru : en); }

}  // namespace p528::host
