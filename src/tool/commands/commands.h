// The commands of `compatta`, one file each: the table the command line is
// made from, in the order the help lists them. A command is one file and one
// row here; no command calls another, and what they share lies below them.
#ifndef TOOL_COMMANDS_COMMANDS_H_
#define TOOL_COMMANDS_COMMANDS_H_

#include <span>

#include "tool/cli/command.h"

namespace compattatore::tool {

/// Every command, in help order.
std::span<const command> commands();

// Each command's row, defined in its own file.
const command& compile_command();
const command& check_command();
const command& build_command();
const command& texts_command();
const command& dump_command();
const command& plot_command();
const command& explain_command();
const command& report_command();
const command& watch_command();
const command& profile_command();
const command& decompile_command();

}  // namespace compattatore::tool

#endif  // TOOL_COMMANDS_COMMANDS_H_
