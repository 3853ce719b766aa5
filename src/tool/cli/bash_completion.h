// A bash completion script made from the command line's own definitions, so
// the packaged completion never drifts from the commands and options.
#ifndef TOOL_CLI_BASH_COMPLETION_H_
#define TOOL_CLI_BASH_COMPLETION_H_

#include <ostream>

namespace CLI {
class App;
}

namespace compattatore::tool {

/// Writes a script that completes `app`'s commands, each command's options,
/// the values of options with a fixed set of choices, and file names.
void write_bash_completion(const CLI::App& app, std::ostream& out);

}  // namespace compattatore::tool

#endif  // TOOL_CLI_BASH_COMPLETION_H_
