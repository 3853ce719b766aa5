// compatta check: every problem of the texts, and nothing written.
#include <CLI/CLI.hpp>
#include <memory>

#include "tool/cli/common_options.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/compile_run.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work/Orsella_Vantrona_linea.txt work/Orsella_Vantrona_4273-.txt",
    "route.txt train.txt --no-track --json",
    "route.txt train.txt -Wno-run-on --strict",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "no data fault"},
    {exit_status::data_fault,
     "a data fault was found, or a warning with --strict"},
    {exit_status::file_failure, "wrong usage or a text that cannot be read"},
    {exit_status::errore, "a seal guard would fail"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<compile_options>();
  add_scenario_options(app, *o);
  return [o](std::ostream& out, std::ostream& err) {
    return run_compile(*o, false, out, err);
  };
}

}  // namespace

const command& check_command() {
  static const command c{
      .name = "check",
      .summary =
          "The same as compile, writing nothing: every problem of both "
          "texts, errors and warnings, in the order of the texts.",
      .details = "the same, writing nothing",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
