// Numbered string tables: the resources of the module (Russian) and of its satellite
// (English), looked up by number. Texts are UTF-8, byte for byte the system's own texts.
//
// Each subsystem keeps its texts in its own file under strings/ru/ and strings/en/, one
// line per text: S(number, "text"). Numbers are unique across all files of a language.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace p528 {

struct StringEntry {
  int id;
  const char* text;
};

// A read-only table sorted by number on construction.
class StringTable {
 public:
  explicit StringTable(std::span<const StringEntry> entries);
  // The text of `id`, or nullptr when the table has no such number.
  const char* Find(int id) const;
  std::size_t size() const { return entries_.size(); }
  std::span<const StringEntry> entries() const { return entries_; }

 private:
  std::span<const StringEntry> entries_;
  std::vector<const StringEntry*> sorted_;  // pointers ordered by id
};

// The module's own (Russian) table and the English table of the satellite.
const StringTable& RussianStrings();
const StringTable& EnglishStrings();

}  // namespace p528
