// Lookup of result-code names by binary search over the generated table.
#include "engine/graphics/resultCodeNames.h"

#include <algorithm>
#include <iterator>

namespace {

struct ResultCodeName {
  std::uint32_t code;
  const char* name;
};

constexpr ResultCodeName kResultCodeNames[] = {
#include "engine/graphics/resultCodeNames_table.inc"
};

constexpr bool codeLess(const ResultCodeName& a, const ResultCodeName& b) { return a.code < b.code; }

// The search relies on strictly ascending codes; a hand edit or a broken
// generator that breaks the order must fail the build, not the lookup.
constexpr bool strictlyAscending() {
  return std::adjacent_find(std::begin(kResultCodeNames), std::end(kResultCodeNames),
                            [](const ResultCodeName& a, const ResultCodeName& b) {
                              return !codeLess(a, b);
                            }) == std::end(kResultCodeNames);
}
static_assert(strictlyAscending(), "result-code table must be sorted by code without repeats");

}  // namespace

const char* getResultCodeName(std::int32_t code) {
  const ResultCodeName key{static_cast<std::uint32_t>(code), nullptr};
  const auto* it = std::lower_bound(std::begin(kResultCodeNames), std::end(kResultCodeNames), key, codeLess);
  if (it == std::end(kResultCodeNames) || it->code != key.code) {
    return "Unknown";
  }
  return it->name;
}
