// A compiled file's records as text for people: one block per record, with
// what its fields mean.
#ifndef TOOL_DUMP_TEXT_H_
#define TOOL_DUMP_TEXT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

/// Whether any field of the cell is nonzero.
bool non_vuota(const cella& c);
/// "empty", "int" or "double".
std::string_view tipo_word(tipo_elemento k);

/// The cells with a nonzero field (`all`: every cell).
void cells_text(std::ostream& out, const std::vector<cella>& celle, bool all);
void stations_text(std::ostream& out,
                   const std::array<stazione, numero_stazioni>& stazioni);
void track_text(std::ostream& out, const tracciato_linea& t);

}  // namespace compattatore::tool

#endif  // TOOL_DUMP_TEXT_H_
