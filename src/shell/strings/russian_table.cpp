// The module's own string table: every file under strings/ru/.
#include "shell/string_table.h"

namespace p528 {
namespace {
const StringEntry kRussian[] = {
#define S(id, text) {id, text},
#include "strings_ru_all.inc"
#undef S
};
}  // namespace

const StringTable& RussianStrings() {
  static const StringTable table(kRussian);
  return table;
}

}  // namespace p528
