// The options that several commands take alike: the two texts and their
// names, and the checking options of compile and check.
#ifndef TOOL_CLI_COMMON_OPTIONS_H_
#define TOOL_CLI_COMMON_OPTIONS_H_

#include "tool/compilation/compile_run.h"
#include "tool/compilation/scenario_texts.h"

namespace CLI {
class App;
}

namespace compattatore::tool {

/// ROUTE_TEXT, TRAIN_TEXT, --route-name and --train-number.
void add_text_options(CLI::App& app, text_options& o);

/// The texts, then --no-track, --json, -W, --strict and --color.
void add_scenario_options(CLI::App& app, compile_options& o);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_COMMON_OPTIONS_H_
