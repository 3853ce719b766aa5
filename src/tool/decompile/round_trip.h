// The round trip's proof: the written texts compiled in memory as the
// program compiles them, and every place where the result differs from
// the compiled files, by metre (or entry) and field.
#ifndef TOOL_DECOMPILE_ROUND_TRIP_H_
#define TOOL_DECOMPILE_ROUND_TRIP_H_

#include <cstddef>
#include <string>
#include <vector>

#include "tool/decompile/compiled_input.h"

namespace compattatore::tool {

/// One place where the texts give other bytes than the file holds.
struct differenza {
  /// "station table", "cell row", "track line" or "seal".
  std::string file;
  /// "entry 12", "metre 1450 (cell 30)", "metre 2048".
  std::string dove;
  std::string campo;
  std::string nel_file;
  std::string dai_testi;
};

struct esito_giro {
  /// The places that differ, at most `massimo` of them, in file order.
  std::vector<differenza> differenze;
  /// How many places differ in all.
  std::size_t totale = 0;
};

/// Compiles `linea` and `treno` (the texts of route `nome_linea` and
/// train `numero_treno`) as the program does, with the track line when
/// `c` holds one, and compares each file with `c`.
esito_giro confronta(const compiled_scenario& c, const std::string& nome_linea,
                     const std::string& numero_treno, const std::string& linea,
                     const std::string& treno, std::size_t massimo = 20);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_ROUND_TRIP_H_
