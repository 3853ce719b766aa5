// A compiled file's records as JSON: every field by its name, `nome` read
// as Latin-1 so that any byte survives the trip, so the values rebuild the
// records.
#ifndef TOOL_DECODE_DUMP_JSON_H_
#define TOOL_DECODE_DUMP_JSON_H_

#include <array>
#include <nlohmann/json.hpp>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"
#include "tool/decode/dump_text.h"

namespace compattatore::tool {

/// The cells with a nonzero field (`all`: every cell) within `range`: the
/// cells left out hold zeros, so a whole listing rebuilds the row.
nlohmann::ordered_json cells_json(const std::vector<cella>& celle, bool all,
                                  const dump_range& range = {});
nlohmann::ordered_json stations_json(
    const std::array<stazione, numero_stazioni>& stazioni);
nlohmann::ordered_json track_json(const tracciato_linea& t,
                                  const dump_range& range = {});

}  // namespace compattatore::tool

#endif  // TOOL_DECODE_DUMP_JSON_H_
