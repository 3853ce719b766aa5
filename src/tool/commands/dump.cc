// compatta dump: a compiled file decoded.
#include "tool/decode/dump.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "out/Orsella_Vantrona_4273.dat | less",
    "out/Orsella_Vantrona_4273.sim --json > stations.json",
    "out/Orsella_Vantrona_linea.dat --from 12km --to 12.1km",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "decoded"},
    {exit_status::file_failure,
     "wrong usage, or a file that cannot be read or decoded"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<dump_options>();
  app.add_option("FILE", o->file, "compiled file")
      ->required()
      ->type_name("FILE");
  app.add_option("--kind", o->kind,
                 "what the file holds (default: from its name: "
                 "NAME_linea.dat track, .sim stations, .dat cells)")
      ->check(CLI::IsMember({"track", "stations", "cells"}))
      ->type_name("KIND");
  app.add_flag("--json", o->json,
               "print one JSON object whose field values rebuild the "
               "records");
  app.add_flag("--all", o->all,
               "cells: list every cell, not only those holding an object "
               "(JSON: not only those with a nonzero field)");
  app.add_option("--from", o->from,
                 "cells and track: list from this distance on (metres: "
                 "1500 or 1500m; kilometres: 1.5km)")
      ->type_name("DISTANCE");
  app.add_option("--to", o->to,
                 "cells and track: list up to this distance, included")
      ->type_name("DISTANCE");
  return [o](std::ostream& out, std::ostream& err) {
    return run_dump(*o, out, err);
  };
}

}  // namespace

const command& dump_command() {
  static const command c{
      .name = "dump",
      .summary =
          "Decode a compiled file: the station table entry by entry, "
          "the cell row cell by cell, the track line metre by metre.",
      .details =
          "decodes a compiled file (kind from its name): the station table "
          "entry by entry, the cells that hold an object (a signal, board, "
          "station end, slowdown mark, speed point, or the seal's mark in "
          "cell 1; `--all`: every cell) with what their kind means, the "
          "track line metre by metre with element kinds. `--from`/`--to` "
          "list a stretch of cells or of the track line, both ends included, "
          "in metres (`1500`, `1500m`) or kilometres (`1.5km`). `--json` "
          "gives field values that rebuild the records: it lists every cell "
          "with a nonzero field (the others hold zeros), and a stretch's "
          "`from` and `to`.",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
