// The English string table of the satellite: every file under strings/en/.
#include "shell/string_table.h"

namespace p528 {
namespace {
const StringEntry kEnglish[] = {
#define S(id, text) {id, text},
#include "strings_en_all.inc"
#undef S
};
}  // namespace

const StringTable& EnglishStrings() {
  static const StringTable table(kEnglish);
  return table;
}

}  // namespace p528
