// compatta report: one page of everything a check shows.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "tool/cli/common_options.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/report/report_run.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work/Orsella_Vantrona_linea.txt work/Orsella_Vantrona_4273-.txt -o "
    "report.html",
    "route.txt train.txt --route-name Valle --train-number 12 -o valle.html",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "no data fault"},
    {exit_status::data_fault,
     "a data fault was found (the page is still written and shows it)"},
    {exit_status::file_failure,
     "wrong usage, a text that cannot be read, or a page that cannot be "
     "written or is one of the texts (nothing written)"},
    {exit_status::errore,
     "a seal guard would fail (the page is still written and says that no "
     "compiled file would be)"},
};

struct report_options {
  text_options texts;
  std::string page;
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<report_options>();
  add_text_options(app, o->texts);
  app.add_option("-o,--output", o->page, "the page, OUT.html")
      ->required()
      ->type_name("OUT");
  return [o](std::ostream& out, std::ostream& err) {
    return run_report(o->texts, o->page, out, err);
  };
}

}  // namespace

const command& report_command() {
  static const command c{
      .name = "report",
      .summary =
          "Check the two texts as compile does and write one HTML page that "
          "holds everything it shows: the diagnostics with the lines they "
          "point at, the plan view, the stations and timetable, the signals, "
          "slowdowns, speed points, boards and indication boards, and the "
          "files compile would write. The page needs nothing else: open it "
          "from disk, or pass it on. Nothing else is written.",
      .details =
          "one HTML page of the scenario (below), written whole or not "
          "at all; statuses as `check`, and the page is written for 1 "
          "and 3 too",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
