#include "host_texts.h"

#include <array>

namespace p528::host {

namespace {

struct Pair {
  const char* ru;
  const char* en;
};

// In the order of Text.
constexpr std::array<Pair, static_cast<size_t>(Text::Count)> kTexts = {{
    {"Данные хроматографии", "Chromatography data"},
    {"&Файл", "&File"},
    {"&Импорт хроматограмм…", "&Import chromatograms…"},
    {"Импорт &папки…", "Import &folder…"},
    {"В&ыход", "&Quit"},
    {"&Анализ", "&Assay"},
    {"&Открыть", "&Open"},
    {"&Скрыть", "&Hide"},
    {"&Показать", "&Unhide"},
    {"&Удалить из списка", "&Delete from the list"},
    {"Номер", "Id"},
    {"Проба", "Sample"},
    {"Время анализа", "Analysis time"},
    {"Роль", "Role"},
    {"Файл", "File"},
    {"Фильтр:", "Filter:"},
    {"проба или файл", "sample or file"},
    {"скрыт", "hidden"},
    {"Анализов: %1", "Assays: %1"},
    {"Найденные анализы показаны по мере прокрутки", "The assays found are read as the list scrolls"},
    {"Импортировано: %1, пропущено: %2", "Imported: %1, skipped: %2"},
    {"Импорт: %1 из %2", "Importing: %1 of %2"},
    {"Импорт хроматограмм", "Import of chromatograms"},
    {"Пропущены файлы:", "Files skipped:"},
    {"Импорт не выполнен, база данных анализов не изменена.\n%1",
     "The import failed; the assay database is unchanged.\n%1"},
    {"Хроматограммы (%1)", "Chromatograms (%1)"},
    {"формат файла неизвестен", "unknown file format"},
    {"файл не читается: %1", "the file cannot be read: %1"},
    {"не хроматограмма: %1", "not a chromatogram: %1"},
    {"уже зарегистрирован как анализ %1", "already registered as assay %1"},
    {"копия не записана: %1", "the copy was not written: %1"},
    {"Удалить анализ %1 из списка? Файл хроматограммы останется на диске.",
     "Delete assay %1 from the list? The chromatogram file stays on disk."},
    {"Модули", "Plug-ins"},
    {"Модуль %1 не загружен: %2", "Plug-in %1 was not loaded: %2"},
    {"База данных анализов %1 не открыта:\n%2", "The assay database %1 could not be opened:\n%2"},
    {"Выбор анализов", "Choose assays"},
    {"Проба или файл:", "Sample or file:"},
    {"Роль:", "Role:"},
    {"(любая)", "(any)"},
    {"Дата анализа с", "Analysed from"},
    {"по", "to"},
    {"Выбрано: %1 из %2", "Selected: %1 of %2"},
    {"ОК", "OK"},
    {"Отмена", "Cancel"},
    {"Хроматограмма — %1", "Chromatogram — %1"},
    {"Время, мин", "Time, min"},
    {"Сигнал", "Signal"},
    {"Паспорт", "Passport"},
    {"Пики", "Peaks"},
    {"Файл %1 не прочитан: %2", "The file %1 could not be read: %2"},
    {"Поле", "Field"},
    {"Значение", "Value"},
    {"Проба", "Sample"},
    {"Время анализа", "Analysis time"},
    {"Метод", "Method"},
    {"Длительность, мин", "Duration, min"},
    {"Серия", "Series"},
    {"Файл", "File"},
    {"Канал %1", "Channel %1"},
    {"%1 точек, шаг %2 мин", "%1 points, step %2 min"},
    {"Компонент", "Component"},
    {"Время, мин", "Time, min"},
    {"Начало, мин", "Start, min"},
    {"Конец, мин", "End, min"},
    {"Площадь", "Area"},
    {"Высота", "Height"},
    {"файл не открывается", "the file cannot be opened"},
    {"заголовок файла неполон", "the file header is short"},
    {"файл не является хроматограммой", "the file is not a chromatogram"},
    {"версия файла не поддерживается", "the file version is not supported"},
    {"заголовок канала неполон", "a channel header is short"},
    {"данные канала неполны", "a channel's samples are short"},
    {"описание хроматограммы повреждено", "the chromatogram's description is damaged"},
    {"код %1", "code %1"},
    {"Роль файлов AIA", "Role of the AIA files"},
    {"Файлов других систем (.cdf, .csv, .txt, .asc) в импорте: %1. Роль каждого файла предложена "
     "правилами для названия пробы; её можно изменить.",
     "Files of other data systems (.cdf, .csv, .txt, .asc) in this import: %1. The role of each file is "
     "proposed by the sample name rules; change any of them."},
    {"Проба, название которой содержит текст, получает роль первого подходящего правила; "
     "пустой текст подходит любой пробе.",
     "A sample whose name contains the text gets the role of the first rule that fits; "
     "an empty text fits every sample."},
    {"Название пробы содержит", "Sample name contains"},
    {"Добавить правило", "Add a rule"},
    {"Удалить правило", "Remove the rule"},
    {"градуировочная", "calibration"},
    {"холостая", "blank"},
    {"анализ", "analysis"},
    {"стандарт", "standard"},
    {"эталон", "reference"},
    {"проверочная", "check"},
    {"удалён", "deleted"},
    {"&Вид", "&View"},
    {"Показывать &скрытые", "Show &hidden"},
    {"Показывать &удалённые", "Show &deleted"},
    {"&Восстановить", "&Restore"},
    {"Сменить &роль…", "Change &role…"},
    {"Роль анализа", "Role of the assay"},
    {"Новая роль анализа %1 (%2):", "New role of assay %1 (%2):"},
    {"Роль анализа %1 не изменена: %2", "The role of assay %1 was not changed: %2"},
    {"Содержимое файла %1 уже зарегистрировано как удалённый или скрытый анализ %2. Восстановить анализ %2?",
     "The content of %1 is already registered as the deleted or hidden assay %2. Restore assay %2?"},
    {"Список анализов пуст. Импортировать демонстрационные наборы хроматограмм из %1?",
     "The list of assays is empty. Import the demonstration sets of chromatograms from %1?"},
    {"Файл", "File"},
    {"(не импортировать)", "(do not import)"},
}};

bool g_russian = true;

}  // namespace

void SetHostLanguage(uint16_t languageId) { g_russian = languageId == 0x0419; }

bool HostIsRussian() { return g_russian; }

QString Tr(Text id) {
  const Pair& pair = kTexts[static_cast<size_t>(id)];
  return QString::fromUtf8(g_russian ? pair.ru : pair.en);
}

QString ReadStatusText(int status) {
  if (status <= -1 && status >= -7)
    return Tr(static_cast<Text>(static_cast<int>(Text::ReadStatus1) - 1 - status));
  return Tr(Text::ReadStatusOther).arg(status);
}

}  // namespace p528::host
