#include "tool/cli/cli.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "tool/cli/bash_completion.h"
#include "tool/cli/help_text.h"
#include "tool/cli/readme_table.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "version/version.h"

namespace compattatore::tool {
namespace {

constexpr const char* main_footer =
    "Run 'compatta COMMAND --help' for a command's options, examples and "
    "exit statuses.";

// The command line made from the table: one subcommand per row, and what
// runs each once parsed.
struct command_line {
  std::unique_ptr<CLI::App> app;
  std::vector<std::pair<const CLI::App*, command_run>> runs;
};

command_line make_command_line(std::span<const command> commands) {
  command_line line;
  line.app = std::make_unique<CLI::App>(
      "Compiles scenario texts of one's own byte for byte as the program "
      "does, says where and why reading stopped, decodes the compiled files "
      "and draws the track.",
      "compatta");
  CLI::App& app = *line.app;
  app.require_subcommand(0, 1);
  app.footer(main_footer);
  app.set_version_flag("--version", std::string("compatta ") + version,
                       "print the version and exit");
  for (const command& c : commands) {
    CLI::App* sub =
        app.add_subcommand(std::string(c.name), std::string(c.summary));
    line.runs.emplace_back(sub, c.define(*sub));
    sub->footer(help_footer(c));
  }
  return line;
}

}  // namespace

int compatta_main(int argc, const char* const* argv,
                  std::span<const command> commands, std::ostream& out,
                  std::ostream& err) {
  command_line line = make_command_line(commands);
  CLI::App& app = *line.app;
  // Hidden: the build makes the packaged completion script, the manual
  // page and the README's table from them.
  bool bash_completion = false;
  bool names = false;
  bool markdown = false;
  app.add_flag("--bash-completion", bash_completion)->group("");
  app.add_flag("--commands", names)->group("");
  app.add_flag("--commands-markdown", markdown)->group("");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
      return app.exit(e, out, err);
    }
    const std::vector<std::string> rest = app.remaining();
    if (app.get_subcommands().empty() && !rest.empty() &&
        !rest.front().starts_with('-')) {
      err << message_prefix << "unknown command " << rest.front()
          << ": the commands are " << command_names(commands, "and") << '\n';
    } else {
      err << message_prefix << e.what() << '\n';
    }
    err << "Run 'compatta --help' or 'compatta COMMAND --help' for usage.\n";
    return exit_status::file_failure;
  }

  if (bash_completion) {
    write_bash_completion(app, out);
    return exit_status::ok;
  }
  if (names) {
    for (const command& c : commands) out << c.name << '\n';
    return exit_status::ok;
  }
  if (markdown) {
    out << commands_table(app, commands);
    return exit_status::ok;
  }
  for (const auto& [sub, run] : line.runs) {
    if (sub->parsed()) return run(out, err);
  }
  err << message_prefix
      << "a command is required: " << command_names(commands, "or") << '\n'
      << "Run 'compatta --help' or 'compatta COMMAND --help' for usage.\n";
  return exit_status::file_failure;
}

std::string commands_markdown(std::span<const command> commands) {
  return commands_table(*make_command_line(commands).app, commands);
}

}  // namespace compattatore::tool
