#include "tool/decompile/compiled_input.h"

#include <cstdint>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "platform/real_file_system.h"
#include "reader/lettura.h"
#include "tool/common/message_prefix.h"
#include "tool/files/read_limits.h"

namespace compattatore::tool {
namespace {

// The route reader's limits: longest route and the margin past its end.
constexpr std::int32_t lunghezza_massima = 1000000;
constexpr std::int32_t margine_linea = 7000;

bool read_file(const std::string& path, std::string* bytes, std::ostream& err) {
  try {
    real_file_system disk;
    *bytes = disk.read(path, compiled_file_limit);
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
    return false;
  }
  return true;
}

bool not_of_kind(const std::string& path, const char* kind,
                 const std::string& why, std::ostream& err) {
  err << message_prefix << path << ": not a " << kind << " file: " << why
      << '\n';
  return false;
}

}  // namespace

std::optional<std::int32_t> celle_della_linea(std::int32_t lunghezza) {
  if (lunghezza < 0 || lunghezza > lunghezza_massima) return std::nullopt;
  return indice_cella(metri_in_celle(lunghezza + margine_linea));
}

bool read_compiled(const compiled_paths& p, compiled_scenario* out,
                   std::ostream& err) {
  compiled_scenario& c = *out;
  if (!read_file(p.stazioni, &c.byte_stazioni, err)) return false;
  if (const decode_result r = decode_stations(c.byte_stazioni, &c.stazioni)) {
    return not_of_kind(p.stazioni, "station table", r->message, err);
  }
  if (!read_file(p.celle, &c.byte_celle, err)) return false;
  if (const decode_result r = decode_cells(c.byte_celle, &c.celle)) {
    return not_of_kind(p.celle, "cell row", r->message, err);
  }
  const std::int32_t lunghezza =
      c.stazioni[stazione_testata_treno_linea].fine_area;
  const std::optional<std::int32_t> ultima = celle_della_linea(lunghezza);
  // A route whose length was refused has no cell row at all; the row of
  // any other has one cell more than its upper index.
  const std::size_t attese = ultima ? static_cast<std::size_t>(*ultima) + 1 : 0;
  if (!c.celle.empty() && c.celle.size() != attese) {
    return not_of_kind(p.celle, "cell row",
                       "it holds " + std::to_string(c.celle.size()) +
                           " cells, and the route of " + p.stazioni + " (" +
                           std::to_string(lunghezza) + " m) has " +
                           std::to_string(attese),
                       err);
  }
  if (p.tracciato.empty()) return true;
  vista_tracciato linea;
  std::string perche;
  if (!linea.apri(p.tracciato, compiled_file_limit, &perche)) {
    if (perche.starts_with(p.tracciato + ":")) {
      err << message_prefix << perche << '\n';
      return false;
    }
    return not_of_kind(p.tracciato, "track line", perche, err);
  }
  if (!linea.empty() &&
      (!ultima ||
       linea.metri() !=
           static_cast<std::size_t>(lunghezza + margine_linea) + 1)) {
    return not_of_kind(
        p.tracciato, "track line",
        "it holds " + std::to_string(linea.metri()) +
            " metres, and the route of " + p.stazioni + " (" +
            std::to_string(lunghezza) + " m) has " +
            (ultima ? std::to_string(lunghezza + margine_linea + 1) : "none"),
        err);
  }
  c.linea = std::move(linea);
  return true;
}

}  // namespace compattatore::tool
