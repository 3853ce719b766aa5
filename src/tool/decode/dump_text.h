// A compiled file's records as text for people: one block per record, with
// what its fields mean.
#ifndef TOOL_DECODE_DUMP_TEXT_H_
#define TOOL_DECODE_DUMP_TEXT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

/// The metres a listing of cells or track elements is limited to, both
/// ends included; a cell counts by its first metre (cell 0 lies before the
/// start, at -50 m).
struct dump_range {
  std::int64_t from = std::numeric_limits<std::int64_t>::min();
  std::int64_t to = std::numeric_limits<std::int64_t>::max();
  bool holds(std::int64_t metro) const { return metro >= from && metro <= to; }
  bool whole() const { return *this == dump_range{}; }
  friend bool operator==(const dump_range&, const dump_range&) = default;
};

/// Which cells a listing shows: those holding an object (any kind, and the
/// seal's mark in cell 1), those with any nonzero field, or all.
enum class which_cells { objects, non_empty, all };

/// Whether any field of the cell is nonzero.
bool any_field_set(const cella& c);
/// Whether the cell holds an object or, cell 1, the seal's mark.
bool holds_object(std::size_t index, const cella& c);
/// "empty", "int" or "double".
std::string_view element_kind_word(tipo_elemento k);

/// The cells that `which` picks within `range`.
void cells_text(std::ostream& out, const std::vector<cella>& celle,
                which_cells which, const dump_range& range = {});
void stations_text(std::ostream& out,
                   const std::array<stazione, numero_stazioni>& stazioni);
void track_text(std::ostream& out, const tracciato_linea& t,
                const dump_range& range = {});

}  // namespace compattatore::tool

#endif  // TOOL_DECODE_DUMP_TEXT_H_
