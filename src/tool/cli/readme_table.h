// The README's table of commands, made from the table of commands and the
// options each command defines, so that the README never drifts from them.
#ifndef TOOL_CLI_README_TABLE_H_
#define TOOL_CLI_README_TABLE_H_

#include <span>
#include <string>

#include "tool/cli/command.h"

namespace CLI {
class App;
}

namespace compattatore::tool {

/// "compatta NAME" and its arguments: the positionals first, then each
/// option in the order defined, in brackets unless required, with the name
/// of its value or its choices. An option with no long name takes its
/// value glued to it, as -Wno-NAME.
std::string synopsis(const CLI::App& sub);

/// A Markdown table with a row per command of `commands`, whose options
/// `app` holds as subcommands: the synopsis, then the details.
std::string commands_table(const CLI::App& app,
                           std::span<const command> commands);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_README_TABLE_H_
