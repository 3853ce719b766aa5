// compatta build: every scenario of a folder, compiled when it changed.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "tool/build/build_run.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work",
    "work -o out -j 4 --json > build.json",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "every scenario clean"},
    {exit_status::data_fault,
     "a data fault was recorded (its files are still written)"},
    {exit_status::file_failure,
     "wrong usage, a folder or file that cannot be read or written (that "
     "scenario's compiled files are then as they were), or a train text "
     "without its route text"},
    {exit_status::errore,
     "a seal guard failed (nothing written for that scenario)"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<build_options>();
  app.add_option("DIR", o->dir, "folder of route and train texts")
      ->required()
      ->type_name("DIR");
  app.add_option("-o,--output", o->out,
                 "folder for the compiled files and the build state "
                 "(default: DIR; made when missing)")
      ->type_name("OUT");
  app.add_option("-j,--jobs", o->jobs,
                 "scenarios compiled at once (default: one per processor)")
      ->check(CLI::Range(1u, 1024u))
      ->type_name("N");
  app.add_flag("--force", o->force, "compile every scenario, changed or not");
  app.add_flag("--json", o->json,
               "print a JSON list of per-scenario objects on standard "
               "output instead of the table");
  return [o](std::ostream& out, std::ostream& err) {
    build_options b = *o;
    // A progress line only where a person watches it.
    b.progress = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    return run_build(b, out, err);
  };
}

}  // namespace

const command& build_command() {
  static const command c{
      .name = "build",
      .summary =
          "Compile every scenario of a folder, each train text NAME_N-.txt "
          "with its route text NAME_linea.txt, as compile does, several at "
          "once and only those whose texts or compiled files changed since "
          "the last build. The texts are never changed.",
      .details =
          "compiles every scenario of the folder DIR into OUT (default DIR, "
          "made when missing), each with the same bytes as one `compile`: "
          "every train text `NAME_N-.txt` with the route text "
          "`NAME_linea.txt` beside it (the longest NAME that the train "
          "text's name starts with), N scenarios at once (default: one per "
          "processor), and only those whose texts or compiled files changed "
          "since the last build (below). `NAME_linea.dat` is written once "
          "for all the trains of a route. `--force` compiles every one",
      .examples = examples,
      .statuses_before = "that of the worst scenario.",
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
