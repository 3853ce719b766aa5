// The warnings the author's tool gives about the texts: a name that
// -Wno-NAME silences and `compatta explain NAME` looks up, and one line
// saying what it is about.
#ifndef MODEL_WARNINGS_H_
#define MODEL_WARNINGS_H_

#include <span>
#include <string_view>

namespace compattatore::avviso {

// The names are what authors type: never rename. They are also the names of
// the explanations' files, which cmake/embed_explanations.cmake takes from
// these lines: one whole constant per line.
inline constexpr std::string_view unknown_keyword = "unknown-keyword";
inline constexpr std::string_view no_general = "no-general";
inline constexpr std::string_view after_end = "after-end";
inline constexpr std::string_view name_comma = "name-comma";
inline constexpr std::string_view non_ascii = "non-ascii";
inline constexpr std::string_view run_on = "run-on";
inline constexpr std::string_view extra_values = "extra-values";
inline constexpr std::string_view same_text = "same-text";
inline constexpr std::string_view empty_train = "empty-train";
inline constexpr std::string_view signal_time = "signal-time";
inline constexpr std::string_view station_overwrite = "station-overwrite";
inline constexpr std::string_view chainage_cleared = "chainage-cleared";

struct warning_entry {
  std::string_view name;
  std::string_view summary;
};

/// Every warning, in the order above.
std::span<const warning_entry> warning_table();
/// The entry of `name`; null when there is none.
const warning_entry* find_warning(std::string_view name);

}  // namespace compattatore::avviso

#endif  // MODEL_WARNINGS_H_
