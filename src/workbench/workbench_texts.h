// Texts of the workbench: the file list's captions, the distillation chart's captions, the
// result pages' tab captions and the component table's texts (strings/<lang>/numbered.inc),
// the instrument number and database messages (3750-3753) and the files left out of the set
// (3780-3788) (strings/<lang>/workbench.inc).
#pragma once

namespace p528::text {

// File list captions.
inline constexpr int kFileListName = 132;
inline constexpr int kFileListSample = 133;
inline constexpr int kFileListTime = 134;
inline constexpr int kFileListRole = 135;
inline constexpr int kFileListPath = 136;

// Distillation chart captions.
inline constexpr int kDistillationXCaption = 183;  // "t, °C"
inline constexpr int kDistillationYCaption = 184;  // "Доля отгона, %"

// Tab captions of the eight result pages, in tab order.
inline constexpr int kTabCalibration = 2001;  // "Град. график"
inline constexpr int kTabResponse = 2002;
inline constexpr int kTabDistillation = 2003;
inline constexpr int kTabPercentOff = 2004;
inline constexpr int kTabFractions = 2005;
inline constexpr int kTabReference = 2006;
inline constexpr int kTabIso3405 = 2007;
inline constexpr int kTabMessages = 2008;  // "Системные сообщения"

// Component table: the list's column captions (284-289 in column order), a new row's name
// and the prompt for a missing name.
inline constexpr int kComponentColumnId = 284;  // "ID"
inline constexpr int kComponentColumnName = 285;
inline constexpr int kComponentColumnAltName = 286;
inline constexpr int kComponentColumnResponse = 287;
inline constexpr int kComponentColumnBoilingPoint = 288;
inline constexpr int kComponentColumnMixtureMass = 289;
inline constexpr int kNewComponentName = 290;     // "Новый компонент"
inline constexpr int kComponentNamePrompt = 291;  // "Задать ИМЯ!"

// Instrument number and database messages.
inline constexpr int kWholeNumberRefused = 3750;  // "Введите целое число."
inline constexpr int kDatabaseError = 3751;       // "Ошибка базы данных: %s"
inline constexpr int kDatabaseStatement = 3752;   // "\r\n\tЗапрос: %s"
inline constexpr int kDatabaseCode = 3753;        // "\r\n\tКод ошибки SQLite: %i"

// Files left out of the set, one line each after the head line.
inline constexpr int kSkippedHead = 3780;            // "Не добавлены в набор:"
inline constexpr int kSkippedAlreadyInSet = 3781;    // "%s: уже есть в наборе"
inline constexpr int kSkippedNotReadable = 3782;     // path
inline constexpr int kSkippedNoRoleText = 3783;      // path
inline constexpr int kSkippedUnknownRole = 3784;     // path, role text
inline constexpr int kSkippedRoleFull = 3785;        // path, role text
inline constexpr int kSkippedNoSuchAssay = 3786;     // assay id
inline constexpr int kSkippedSameRun = 3787;         // path, path of the run in the set
inline constexpr int kSkippedRememberedGone = 3788;  // path

}  // namespace p528::text
