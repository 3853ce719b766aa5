// A command of `compatta` as its one row of the table of commands gives it:
// name, help, README text, examples, exit statuses, options and what runs
// it. Everything the command line shows of a command is made from its row.
#ifndef TOOL_CLI_COMMAND_H_
#define TOOL_CLI_COMMAND_H_

#include <functional>
#include <ostream>
#include <span>
#include <string_view>

namespace CLI {
class App;
}

namespace compattatore::tool {

/// An exit status a command can return, and what it means there.
struct exit_meaning {
  int status = 0;
  std::string_view meaning = {};
};

/// A command whose options have been parsed: runs it and returns its exit
/// status.
using command_run = std::function<int(std::ostream& out, std::ostream& err)>;

struct command {
  std::string_view name = {};
  /// One sentence or a few: the command's description in the help.
  std::string_view summary = {};
  /// The README's "What it does": the longer story, in Markdown.
  std::string_view details = {};
  /// What follows "compatta NAME" in each example of the help.
  std::span<const std::string_view> examples = {};
  /// Every exit status the command can return, and no other, in order;
  /// what the help says before the first (ending in a full stop) and after
  /// the last, when anything.
  std::string_view statuses_before = {};
  std::span<const exit_meaning> statuses = {};
  std::string_view statuses_after = {};
  /// Adds the command's options to `app`, its subcommand, and returns what
  /// runs it on the values parsed into them.
  command_run (*define)(CLI::App& app) = nullptr;
};

}  // namespace compattatore::tool

#endif  // TOOL_CLI_COMMAND_H_
