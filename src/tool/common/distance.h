// Distances along the route as an author writes them on the command line,
// and the stretch that a drawing's --from and --to choose.
#ifndef TOOL_COMMON_DISTANCE_H_
#define TOOL_COMMON_DISTANCE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace compattatore::tool {

/// Metres from a distance as an author writes it: a number of metres, or
/// of kilometres with "km" ("1500", "1500m", "1.5km"); nothing when it is
/// not one, or negative.
std::optional<std::int64_t> parse_distance(std::string_view text);

/// The metres a drawing covers; -1: from the start, or to the end.
struct requested_stretch {
  std::int64_t from = -1;
  std::int64_t to = -1;
};

/// The stretch `from` and `to` give (each empty when not given) on a
/// drawing that can reach `route_end` metres, which the messages call
/// `end_name` ("the route's end"). False with `*err`, a sentence naming
/// the option, when one is not a distance, `from` does not lie before `to`,
/// or either lies beyond the end.
[[nodiscard]] bool parse_stretch(const std::string& from, const std::string& to,
                                 std::int64_t route_end, requested_stretch* out,
                                 std::string* err,
                                 std::string_view end_name = "the route's end");

}  // namespace compattatore::tool

#endif  // TOOL_COMMON_DISTANCE_H_
