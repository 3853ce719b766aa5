// compatta texts: the compiled-in scenario's texts, to start from.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/files/starter_texts.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "-o work",
    "-o work --force",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "written"},
    {exit_status::file_failure,
     "wrong usage, a file that cannot be written, or a file already there "
     "without --force (nothing is written then)"},
};

struct texts_options {
  std::string dir = ".";
  bool force = false;
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<texts_options>();
  app.add_option("-o,--output", o->dir,
                 "directory (default: the current directory; made when "
                 "missing)")
      ->type_name("DIR");
  app.add_flag("--force", o->force,
               "replace files of these names that are already there "
               "(without it nothing is written then)");
  return [o](std::ostream& out, std::ostream& err) {
    return write_starter_texts(o->dir, o->force, out, err);
  };
}

}  // namespace

const command& texts_command() {
  static const command c{
      .name = "texts",
      .summary =
          "Write the compiled-in route text, train text and three "
          "documents, a starting point for an author.",
      .details =
          "writes the compiled-in route text, train text and three "
          "documents: a starting point. When any of the five is "
          "already in DIR (an author may have edited it) it names each "
          "and writes nothing, unless `--force`",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
