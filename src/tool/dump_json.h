// A compiled file's records as JSON: every field by its name, `nome` read
// as Latin-1 so that any byte survives the trip, so the values rebuild the
// records.
#ifndef TOOL_DUMP_JSON_H_
#define TOOL_DUMP_JSON_H_

#include <array>
#include <nlohmann/json.hpp>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

nlohmann::ordered_json cells_json(const std::vector<cella>& celle, bool all);
nlohmann::ordered_json stations_json(
    const std::array<stazione, numero_stazioni>& stazioni);
nlohmann::ordered_json track_json(const tracciato_linea& t);

}  // namespace compattatore::tool

#endif  // TOOL_DUMP_JSON_H_
