// compatta compile: the texts compiled into the program's files.
#include <CLI/CLI.hpp>
#include <memory>

#include "tool/cli/common_options.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/compile_run.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work/Orsella_Vantrona_linea.txt work/Orsella_Vantrona_4273-.txt -o out",
    "route.txt train.txt --route-name Valle --train-number 12 --json",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "no data fault"},
    {exit_status::data_fault,
     "a data fault was recorded (the files are still written), or a warning "
     "with --strict"},
    {exit_status::file_failure,
     "wrong usage, a file that cannot be read or written (the compiled files "
     "are then as they were), or an output that is one of the texts"},
    {exit_status::errore, "a seal guard failed (nothing written)"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<compile_options>();
  add_scenario_options(app, *o);
  app.add_option("-o,--output", o->dir,
                 "directory for the compiled files (default: the current "
                 "directory; made when missing)")
      ->type_name("DIR");
  return [o](std::ostream& out, std::ostream& err) {
    return run_compile(*o, true, out, err);
  };
}

}  // namespace

const command& compile_command() {
  static const command c{
      .name = "compile",
      .summary =
          "Read the two texts, run the consistency pass and the seal, "
          "and write NAME_linea.dat, NAME_N.sim and NAME_N.dat. The "
          "texts are never changed.",
      .details =
          "reads both texts, runs the consistency pass and the seal, writes "
          "`NAME_linea.dat` (not with `--no-track`), `NAME_N.sim` and "
          "`NAME_N.dat` into DIR (default `.`, made when missing) as one set, "
          "as the program does. The names default to those in the file names "
          "`NAME_linea.txt` and `NAME_N-.txt`. An output that is one of the "
          "texts is refused; one file given as both texts is read as the "
          "program would read it, with a warning.",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
