#include "register_texts.h"

#include "host_texts.h"

#include <array>

namespace p528::host {

namespace {

struct Pair {
  const char* ru;
  const char* en;
};

// In the order of RegisterText.
constexpr std::array<Pair, static_cast<size_t>(RegisterText::Last)> kTexts = {{
    {"Результат не зарегистрирован в журнале результатов:\n%1",
     "The result was not entered in the register of results:\n%1"},
    {"&Журнал", "&Register"},
    {"Журнал &результатов…", "Register of &results…"},
    {"&Контрольная карта эталона…", "Reference &control chart…"},
    {"Журнал результатов", "Register of results"},
    {"Проба:", "Sample:"},
    {"С:", "From:"},
    {"По:", "To:"},
    {"Прибор:", "Instrument:"},
    {"Метод:", "Method:"},
    {"все", "any"},
    {"Запись", "Entry"},
    {"Зарегистрирован (UTC)", "Registered (UTC)"},
    {"Прибор", "Instrument"},
    {"Метод", "Method"},
    {"Проба", "Sample"},
    {"Оператор", "Operator"},
    {"Состояние", "State"},
    {"вне контроля", "out of control"},
    {"заменён записью %1", "superseded by %1"},
    {"исправляет запись %1", "corrects %1"},
    {"Открыть &отчёт", "Open &report"},
    {"&Сравнить две", "&Compare two"},
    {"Экспорт CSV…", "Export CSV…"},
    {"Экспорт JSON…", "Export JSON…"},
    {"У записи %1 нет отчёта.", "Entry %1 has no report."},
    {"Выберите две записи, чтобы сравнить их.", "Choose two entries to compare them."},
    {"Сравнивать можно только записи одной пробы.", "Only entries of the same sample can be compared."},
    {"Сравнение записей %1 и %2", "Entries %1 and %2 compared"},
    {"Показатель", "Quantity"},
    {"Контрольная карта эталонного газойля", "Control chart of the reference gas oil"},
    {"Прибор:", "Instrument:"},
    {"Доля отгона, %:", "Percent off:"},
    {"База:", "Baseline:"},
    {"с результата", "from result"},
    {"результатов", "results"},
    {"Результат", "Result"},
    {"Температура при %1 %, °C", "Temperature at %1 %, °C"},
    {"Скользящий размах при %1 %, °C", "Moving range at %1 %, °C"},
    {"Центр %1 °C, границы %2 … %3 °C, средний размах %4 °C (граница %5 °C)%6",
     "Centre %1 °C, limits %2 … %3 °C, mean moving range %4 °C (limit %5 °C)%6"},
    {"Для границ нужно не меньше двух результатов в базе.",
     "At least two results in the baseline are needed for limits."},
    {"У прибора %1 нет результатов эталона в журнале.",
     "Instrument %1 has no reference results in the register."},
    {"Точек вне контроля: %1", "Points out of control: %1"},
    {"за границами", "beyond limits"},
    {"серия по одну сторону", "run on one side"},
    {"тренд", "trend"},
    {"размах за границей", "moving range beyond limit"},
    {"Записей: %1", "Entries: %1"},
    {"Не удалось записать %1:\n%2", "%1 could not be written:\n%2"},
}};
static_assert(kTexts.back().ru != nullptr, "a text for every RegisterText");

}  // namespace

QString RegisterTr(RegisterText id) {
  const Pair& pair = kTexts[static_cast<size_t>(id)];
  return QString::fromUtf8(HostIsRussian() ? pair.ru : pair.en);
}

}  // namespace p528::host
