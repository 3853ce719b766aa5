#include "tool/dump.h"

#include <array>
#include <string>
#include <vector>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "platform/real_file_system.h"
#include "tool/diagnostics.h"
#include "tool/exit_status.h"
#include "tool/read_limits.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

}  // namespace

int run_dump(const dump_options& o, std::ostream& out, std::ostream& err) {
  const std::optional<compiled_kind> kind =
      o.kind.empty() ? kind_from_name(o.file) : kind_from_word(o.kind);
  if (!kind) {
    err << prefisso_tool << "cannot tell what " << o.file
        << " holds from its name (NAME_linea.dat track line, .sim station "
           "table, .dat cell row): give --kind track|stations|cells\n";
    return exit_status::file_failure;
  }
  std::string bytes;
  try {
    real_file_system disk;
    bytes = disk.read(o.file, compiled_file_limit);
  } catch (const file_error& e) {
    err << prefisso_tool << e.what() << '\n';
    return exit_status::file_failure;
  }

  json j = {
      {"file", o.file}, {"kind", kind_word(*kind)}, {"bytes", bytes.size()}};
  auto not_readable = [&](const decode_fault& f) {
    err << o.file << ": not a " << kind_title(*kind) << " file: " << f.message
        << '\n';
    return exit_status::file_failure;
  };
  switch (*kind) {
    case compiled_kind::cells: {
      std::vector<cella> celle;
      if (const decode_result f = decode_cells(bytes, &celle)) {
        return not_readable(*f);
      }
      if (o.json) {
        j.update(cells_json(celle, o.all));
      } else {
        out << o.file << ": cell row, " << celle.size() << " cells, "
            << bytes.size() << " bytes; "
            << (o.all ? "every cell"
                      : "cells with a nonzero field (--all "
                        "for every cell)")
            << '\n';
        cells_text(out, celle, o.all);
      }
      break;
    }
    case compiled_kind::stations: {
      std::array<stazione, numero_stazioni> stazioni{};
      if (const decode_result f = decode_stations(bytes, &stazioni)) {
        return not_readable(*f);
      }
      if (o.json) {
        j.update(stations_json(stazioni));
      } else {
        out << o.file << ": station table, " << stazioni.size() << " entries, "
            << bytes.size() << " bytes\n";
        stations_text(out, stazioni);
      }
      break;
    }
    case compiled_kind::track: {
      tracciato_linea t;
      if (const decode_result f = decode_track(bytes, &t)) {
        return not_readable(*f);
      }
      if (o.json) {
        j.update(track_json(t));
      } else {
        out << o.file << ": track line, " << t.metri() << " metres, "
            << bytes.size() << " bytes\n";
        track_text(out, t);
      }
      break;
    }
  }
  if (o.json) {
    out << j.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
  }
  return exit_status::ok;
}

}  // namespace compattatore::tool
