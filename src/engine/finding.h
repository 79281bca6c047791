// A finding of the calculation, without its words (they are the presentation's).
#pragma once

#include "engine/records.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace p528 {

// A finding of the calculation: an error, a warning or a note for the user, as the ids of
// its texts in the string tables, each with its printf arguments in order. The presentation
// words it (the parts joined, each formatted with its own arguments).
enum class MessageKind { Error, Warning, Information };
using FindingArg = std::variant<int32_t, double, std::string, FractionName>;
struct FindingText {
  FindingText(int textId, std::vector<FindingArg> arguments = {}) : id(textId), args(std::move(arguments)) {}
  int id;
  std::vector<FindingArg> args;
};
struct Finding {
  MessageKind kind = MessageKind::Error;
  std::vector<FindingText> parts;
};

}  // namespace p528
