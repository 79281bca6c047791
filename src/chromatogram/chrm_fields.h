// The stored members of a chromatogram file's passport, its columns and its peaks, each once:
// the element name in the XML part and the member it fills. The reader, the writer, the
// inspection tool and the tests all walk these lists, so a member added here is read,
// written, shown and compared everywhere at once. The order is the order of the file.
#pragma once

#include "chromatogram/chrm_file.h"

#include <tuple>

namespace p528 {

// One stored member: its element name and where it lives in the struct.
template <class Struct, class Value>
struct ChrmField {
  const char* name;
  Value Struct::*member;
};
template <class Struct, class Value>
ChrmField(const char*, Value Struct::*) -> ChrmField<Struct, Value>;

template <class Struct>
struct ChrmFieldList;

// The passport's own members; its columns and its user-defined fields follow them, and its
// path is never stored.
template <>
struct ChrmFieldList<ChrmPassport> {
  static constexpr auto fields = std::tuple{
      ChrmField{"assayid", &ChrmPassport::assayid},       ChrmField{"series", &ChrmPassport::series},
      ChrmField{"andate", &ChrmPassport::andate},         ChrmField{"duration", &ChrmPassport::duration},
      ChrmField{"sample", &ChrmPassport::sample},         ChrmField{"method", &ChrmPassport::method},
      ChrmField{"graduation", &ChrmPassport::graduation}, ChrmField{"date", &ChrmPassport::date},
      ChrmField{"defect", &ChrmPassport::defect},         ChrmField{"mixture", &ChrmPassport::mixture},
  };
};

template <>
struct ChrmFieldList<ChrmColumn> {
  static constexpr auto fields = std::tuple{
      ChrmField{"channel", &ChrmColumn::channel},     ChrmField{"name", &ChrmColumn::name},
      ChrmField{"brand", &ChrmColumn::brand},         ChrmField{"type", &ChrmColumn::type},
      ChrmField{"diameter", &ChrmColumn::diameter},   ChrmField{"length", &ChrmColumn::length},
      ChrmField{"carrier", &ChrmColumn::carrier},     ChrmField{"phase", &ChrmColumn::phase},
      ChrmField{"percent", &ChrmColumn::percent},     ChrmField{"unit", &ChrmColumn::unit},
      ChrmField{"fraction0", &ChrmColumn::fraction0}, ChrmField{"fraction1", &ChrmColumn::fraction1},
      ChrmField{"film", &ChrmColumn::film},           ChrmField{"part", &ChrmColumn::part},
      ChrmField{"serial", &ChrmColumn::serial},
  };
};

template <>
struct ChrmFieldList<ChrmPeak> {
  static constexpr auto fields = std::tuple{
      ChrmField{"front", &ChrmPeak::front},
      ChrmField{"back", &ChrmPeak::back},
      ChrmField{"time", &ChrmPeak::time},
      ChrmField{"area", &ChrmPeak::area},
      ChrmField{"height", &ChrmPeak::height},
      ChrmField{"concent", &ChrmPeak::concent},
      ChrmField{"name", &ChrmPeak::name},
      ChrmField{"reference", &ChrmPeak::reference},
      ChrmField{"left", &ChrmPeak::left},
      ChrmField{"right", &ChrmPeak::right},
      ChrmField{"flags", &ChrmPeak::flags},
      ChrmField{"front_base_height", &ChrmPeak::front_base_height},
      ChrmField{"back_base_height", &ChrmPeak::back_base_height},
      ChrmField{"index", &ChrmPeak::index},
  };
};

// Calls visit(field) for every stored member of Struct, in the file's order.
template <class Struct, class Visit>
constexpr void ForEachChrmField(Visit&& visit) {
  std::apply([&](const auto&... field) { (visit(field), ...); }, ChrmFieldList<Struct>::fields);
}

}  // namespace p528
