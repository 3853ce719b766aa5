// What the help and the messages of the command line say, made from the
// table of commands.
#ifndef TOOL_CLI_HELP_TEXT_H_
#define TOOL_CLI_HELP_TEXT_H_

#include <span>
#include <string>
#include <string_view>

#include "tool/cli/command.h"

namespace compattatore::tool {

/// The end of a command's help: "Examples:", one line each, and the line
/// "Exit status: ..." made from the command's statuses.
std::string help_footer(const command& c);

/// "Exit status: 0 MEANING; 2 MEANING." with what the command says before
/// and after the statuses.
std::string exit_status_line(const command& c);

/// The commands' names as a sentence ends them: "a, b and c" when `last`
/// is "and".
std::string command_names(std::span<const command> commands,
                          std::string_view last);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_HELP_TEXT_H_
