// compatta explain: the story behind a fault code or a warning.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/diagnostics/explanations.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "16",
    "unknown-keyword",
    "--reference > formats.md",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "explained"},
    {exit_status::file_failure,
     "wrong usage, or a code or name that names nothing"},
};

struct explain_options {
  std::optional<std::string> key;
  bool reference = false;
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<explain_options>();
  app.add_option("CODE", o->key,
                 "a fault code (16) or a warning's name (unknown-keyword)")
      ->type_name("CODE|NAME");
  app.add_flag("--reference", o->reference,
               "print the reference of both text formats (Markdown): "
               "every record, its values, units and an example");
  // A warning's name as the messages print it, "-Wrun-on", is not an
  // option of this command but the name to explain.
  app.allow_extras();
  return [o, &app](std::ostream& out, std::ostream& err) {
    std::optional<std::string> key = o->key;
    const std::vector<std::string> extra = app.remaining();
    if (!key && extra.size() == 1) {
      key = extra.front();
    } else if (!extra.empty()) {
      err << message_prefix << "explain: one code or name at a time, not "
          << extra.front() << '\n';
      return exit_status::file_failure;
    }
    return run_explain(key, o->reference, out, err);
  };
}

}  // namespace

const command& explain_command() {
  static const command c{
      .name = "explain",
      .summary =
          "Explain a fault code or a warning: the rule, why the "
          "simulator needs it, and a wrong and a right way to write "
          "it. Without CODE, list them all.",
      .details =
          "explains a fault code or a warning: the rule, why the "
          "simulator needs it, a wrong and a right example; without "
          "CODE lists them all; `--reference` prints the reference of "
          "both text formats (below)",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
