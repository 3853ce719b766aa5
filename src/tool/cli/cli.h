// The command line of `compatta`, made from the table of commands: the
// commands with their options and help, the messages of wrong usage, and
// the renderings for the package and the README (bash completion, the list
// of commands, the README's table).
#ifndef TOOL_CLI_CLI_H_
#define TOOL_CLI_CLI_H_

#include <ostream>
#include <span>
#include <string>

#include "tool/cli/command.h"

namespace compattatore::tool {

/// Parses the arguments and runs the command of `commands` they name. Help
/// goes to `out`; wrong usage is reported on `err` with status 2. Returns
/// the exit status.
int compatta_main(int argc, const char* const* argv,
                  std::span<const command> commands, std::ostream& out,
                  std::ostream& err);

/// The README's table of `commands`, as `compatta --commands-markdown`
/// prints it.
std::string commands_markdown(std::span<const command> commands);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_CLI_H_
