// compatta watch: the check made again on every save.
#include <CLI/CLI.hpp>
#include <memory>

#include "tool/cli/common_options.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/watch/watch_session.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work/Orsella_Vantrona_linea.txt work/Orsella_Vantrona_4273-.txt "
    "--report report.html",
    "route.txt train.txt --route-name Valle --train-number 12 --report "
    "valle.html -o out",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "ended by Ctrl-C (or SIGTERM, SIGHUP)"},
    {exit_status::file_failure,
     "wrong usage, a text that cannot be read at the start, or a page or "
     "folder that cannot be written at the start or is one of the texts"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<watch_options>();
  add_text_options(app, o->texts);
  app.add_option("--report", o->report, "the page to keep up to date")
      ->type_name("OUT.html");
  app.add_option("-o,--output", o->dir,
                 "directory for the compiled files (made when missing); "
                 "without it none are written")
      ->type_name("DIR");
  return [o](std::ostream& out, std::ostream& err) {
    return run_watch(*o, out, err);
  };
}

}  // namespace

const command& watch_command() {
  static const command c{
      .name = "watch",
      .summary =
          "Check the two texts as compile does, then again each time either "
          "is saved, and print each check's diagnostics under a line with "
          "the time. With --report it keeps the page of report up to date "
          "(an open page reloads itself while watch runs); with -o it writes "
          "the compiled files as compile does. Ctrl-C ends it.",
      .details =
          "checks the texts, then again on every save of either, "
          "printing the diagnostics each time; keeps the page and, "
          "with `-o`, the compiled files up to date; Ctrl-C ends it "
          "(status 0)",
      .examples = examples,
      .statuses = statuses,
      .statuses_after = "Problems found in the texts do not end it.",
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
