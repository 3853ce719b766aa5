// The command line of `compatta`: its commands, their options and help.
#ifndef TOOL_CLI_CLI_H_
#define TOOL_CLI_CLI_H_

#include <ostream>

namespace compattatore::tool {

/// Parses the arguments and runs the command they name. Help goes to `out`;
/// wrong usage is reported on `err` with status 2. Returns the exit status.
int compatta_main(int argc, const char* const* argv, std::ostream& out,
                  std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_CLI_H_
