#include "shell/string_table.h"

#include <algorithm>

namespace p528 {

StringTable::StringTable(std::span<const StringEntry> entries) : entries_(entries) {
  for (const StringEntry& e : entries_) sorted_.push_back(&e);
  std::stable_sort(sorted_.begin(), sorted_.end(),
                   [](const StringEntry* a, const StringEntry* b) { return a->id < b->id; });
}

const char* StringTable::Find(int id) const {
  auto it = std::lower_bound(sorted_.begin(), sorted_.end(), id,
                             [](const StringEntry* e, int value) { return e->id < value; });
  if (it == sorted_.end() || (*it)->id != id) return nullptr;
  return (*it)->text;
}

}  // namespace p528
