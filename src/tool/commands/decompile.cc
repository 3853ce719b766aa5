// compatta decompile: a scenario's compiled files back into its texts.
#include <CLI/CLI.hpp>
#include <memory>

#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/decompile/decompile_run.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "out/Orsella_Vantrona_4273.sim -o work",
    "scenario/Valle_12.sim --track routes/Valle_linea.dat -o work --force",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok,
     "written, and compiling them gives every compiled file again byte for "
     "byte"},
    {exit_status::data_fault,
     "written as the nearest texts: the files hold something no text gives "
     "(each place is listed with its metre and field)"},
    {exit_status::file_failure,
     "wrong usage, a file that cannot be read or is no compiled file of its "
     "kind, or a text already there without --force (nothing is written "
     "then)"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<decompile_options>();
  app.add_option("FILE", o->file, "the station table, NAME_N.sim")
      ->required()
      ->type_name("FILE");
  app.add_option("--cells", o->cells,
                 "the cell row (default: NAME_N.dat beside FILE)")
      ->type_name("FILE");
  app.add_option("--track", o->track,
                 "the route-wide track line (default: NAME_linea.dat beside "
                 "FILE; without it the curves cannot be recovered)")
      ->type_name("FILE");
  app.add_option("-o,--output", o->dir,
                 "directory (default: the current directory; made when "
                 "missing)")
      ->type_name("DIR");
  app.add_flag("--force", o->force,
               "replace texts of these names that are already there "
               "(without it nothing is written then)");
  return [o](std::ostream& out, std::ostream& err) {
    return run_decompile(*o, out, err);
  };
}

}  // namespace

const command& decompile_command() {
  static const command c{
      .name = "decompile",
      .summary =
          "Turn a scenario's compiled files back into its route text and "
          "train text, and prove them by compiling them again.",
      .details =
          "writes `NAME_linea.txt` and `NAME_N-.txt` into DIR (default `.`, "
          "made when missing) from the station table FILE, the cell row "
          "`NAME_N.dat` and the route-wide file `NAME_linea.dat` found "
          "beside it (or given): the layout of the compiled-in texts, a note "
          "line above each section saying what was recovered. The 180 km/h "
          "points of the consistency pass and the seal are left out, since "
          "compiling adds them again. It then compiles the texts in memory: "
          "where they do not give every file back byte for byte it lists "
          "each place with its metre and field (status 1). Without the "
          "route-wide file the curves cannot be recovered. Existing texts "
          "are replaced only with `--force`",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
