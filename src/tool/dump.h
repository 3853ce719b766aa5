// `compatta dump`: a compiled file decoded, as text for people or as JSON
// whose field values rebuild the records.
#ifndef TOOL_DUMP_H_
#define TOOL_DUMP_H_

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

enum class compiled_kind { track, stations, cells };

/// Kind by the program's file names: "*_linea.dat" the route-wide track
/// line, "*.sim" the station table, any other "*.dat" the cell row.
std::optional<compiled_kind> kind_from_name(std::string_view path);
/// "track", "stations" or "cells".
std::optional<compiled_kind> kind_from_word(std::string_view word);

/// Whether any field of the cell is nonzero.
bool non_vuota(const cella& c);

// Renderings. Text: one block per record. JSON: every field by its name,
// `nome` read as Latin-1 so that any byte survives the trip.
void cells_text(std::ostream& out, const std::vector<cella>& celle, bool all);
nlohmann::ordered_json cells_json(const std::vector<cella>& celle, bool all);
void stations_text(std::ostream& out,
                   const std::array<stazione, numero_stazioni>& stazioni);
nlohmann::ordered_json stations_json(
    const std::array<stazione, numero_stazioni>& stazioni);
void track_text(std::ostream& out, const tracciato_linea& t);
nlohmann::ordered_json track_json(const tracciato_linea& t);

/// `nome` bytes as Latin-1 in UTF-8, and back.
std::string latin1_to_utf8(std::string_view bytes);
std::string utf8_to_latin1(std::string_view text);

struct dump_options {
  std::string file;
  /// Empty: from the file's name.
  std::string kind;
  bool json = false;
  /// Cells: every cell, not only those with a nonzero field.
  bool all = false;
};

/// Returns the exit status: 0, or 2 when the file cannot be read, its kind
/// cannot be told, or its bytes are not what the kind's layout says.
int run_dump(const dump_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DUMP_H_
