// The three compiled files of one scenario as decompile reads them: each
// decoded, and held beside its bytes for the round trip's comparison.
#ifndef TOOL_DECOMPILE_COMPILED_INPUT_H_
#define TOOL_DECOMPILE_COMPILED_INPUT_H_

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "tool/decompile/track_view.h"

namespace compattatore::tool {

/// Where the three files are; an empty track path: no route-wide file.
struct compiled_paths {
  std::string stazioni;
  std::string celle;
  std::string tracciato;
};

struct compiled_scenario {
  std::array<stazione, numero_stazioni> stazioni{};
  std::vector<cella> celle;
  /// The route-wide file, when one was given.
  std::optional<vista_tracciato> linea;
  std::string byte_stazioni;
  std::string byte_celle;
};

/// Reads and decodes the files of `p` into `*out`. A file that cannot be
/// read, is no compiled file of its kind, or does not belong with the
/// others (a cell row or track line of another route length) is said on
/// `err`, naming it, and gives false.
[[nodiscard]] bool read_compiled(const compiled_paths& p,
                                 compiled_scenario* out, std::ostream& err);

/// Upper cell index of a route of `lunghezza` metres, as the route reader
/// makes the row; nothing for a length the reader refuses.
std::optional<std::int32_t> celle_della_linea(std::int32_t lunghezza);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_COMPILED_INPUT_H_
