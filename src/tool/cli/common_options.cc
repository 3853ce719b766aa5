#include "tool/cli/common_options.h"

#include <CLI/CLI.hpp>

namespace compattatore::tool {

void add_text_options(CLI::App& app, text_options& o) {
  app.add_option("ROUTE_TEXT", o.testo_linea, "route text, NAME_linea.txt")
      ->required()
      ->type_name("FILE");
  app.add_option("TRAIN_TEXT", o.testo_treno, "train text, NAME_N-.txt")
      ->required()
      ->type_name("FILE");
  app.add_option("--route-name", o.nome_linea,
                 "route name (default: NAME of the route text's file name)")
      ->type_name("NAME");
  app.add_option("--train-number", o.numero_treno,
                 "train number (default: N of the train text's file name)")
      ->type_name("N");
}

void add_scenario_options(CLI::App& app, compile_options& o) {
  add_text_options(app, o.texts);
  app.add_flag("--no-track", o.no_track,
               "build no track line and write no NAME_linea.dat (curve "
               "rows are then not read)");
  app.add_flag("--json", o.json,
               "print the outcome as one JSON object on standard output");
  app.add_option("-W", o.warning_flags,
                 "-Wno-NAME silences the warning NAME (see compatta "
                 "explain NAME)")
      ->type_name("no-NAME")
      ->allow_extra_args(false);
  app.add_flag("--strict", o.strict,
               "count warnings as errors: exit status 1 when there is one");
  app.add_option("--color", o.color,
                 "colour the diagnostics: auto (on a terminal, unless "
                 "NO_COLOR is set), always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}))
      ->type_name("WHEN");
}

}  // namespace compattatore::tool
