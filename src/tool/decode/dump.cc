#include "tool/decode/dump.h"

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/files/read_limits.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

std::string stretch(const dump_range& r) {
  std::string out = "metres " + std::to_string(r.from) + " to ";
  return out + (r.to == dump_range{}.to ? "the end" : std::to_string(r.to));
}

}  // namespace

int run_dump(const dump_options& o, std::ostream& out, std::ostream& err) {
  const std::optional<compiled_kind> kind =
      o.kind.empty() ? compiled_kind_of(o.file) : kind_from_word(o.kind);
  if (!kind) {
    err << message_prefix << "cannot tell what " << o.file
        << " holds from its name (NAME_linea.dat track line, .sim station "
           "table, .dat cell row): give --kind track|stations|cells\n";
    return exit_status::file_failure;
  }
  dump_range range;
  for (const auto& [given, end, name] :
       {std::tuple{&o.from, &range.from, "--from"},
        std::tuple{&o.to, &range.to, "--to"}}) {
    if (given->empty()) continue;
    const std::optional<std::int64_t> metres = parse_distance(*given);
    if (!metres) {
      err << message_prefix << name << ' ' << *given
          << ": not a distance: give metres (1500 or 1500m) or kilometres "
             "(1.5km)\n";
      return exit_status::file_failure;
    }
    *end = *metres;
  }
  if (range.from > range.to) {
    err << message_prefix << "--from " << o.from << " lies after --to " << o.to
        << '\n';
    return exit_status::file_failure;
  }
  if (*kind == compiled_kind::stations && !range.whole()) {
    err << message_prefix
        << "--from and --to choose a stretch of cells or of the track line; "
           "a station table is listed whole\n";
    return exit_status::file_failure;
  }
  std::string bytes;
  try {
    real_file_system disk;
    bytes = disk.read(o.file, compiled_file_limit);
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
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
        j.update(cells_json(celle, o.all, range));
      } else {
        out << o.file << ": cell row, " << celle.size() << " cells, "
            << bytes.size() << " bytes; "
            << (o.all ? "every cell"
                      : "cells holding an object (--all for every cell)");
        if (!range.whole()) out << ", " << stretch(range);
        out << '\n';
        cells_text(out, celle, o.all ? which_cells::all : which_cells::objects,
                   range);
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
        j.update(track_json(t, range));
      } else {
        out << o.file << ": track line, " << t.metri() << " metres, "
            << bytes.size() << " bytes";
        if (!range.whole()) out << "; " << stretch(range);
        out << '\n';
        track_text(out, t, range);
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
