// Texts of the workbench: the file list's captions and the distillation chart's captions
// (strings/<lang>/numbered.inc), the instrument number and database messages (3750-3753)
// and the files left out of the set (3780-3788) (strings/<lang>/workbench.inc).
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
