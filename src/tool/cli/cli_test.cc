#include "tool/cli/cli.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace compattatore::tool {
namespace {

// What the last run of `greet` was given.
struct greeting {
  std::string who;
  bool loud = false;
  std::vector<std::string> flags;
  std::string colour = "none";
  std::string out;
};
greeting last_greeting;

command_run define_greet(CLI::App& app) {
  auto g = std::make_shared<greeting>();
  app.add_option("WHO", g->who, "whom to greet")->required();
  app.add_flag("--loud", g->loud, "shout");
  app.add_option("-W", g->flags, "a flag")
      ->type_name("no-NAME")
      ->allow_extra_args(false);
  app.add_option("--colour", g->colour, "which colour")
      ->check(CLI::IsMember({"red", "blue"}))
      ->type_name("WHEN");
  app.add_option("-o,--output", g->out, "where")->required()->type_name("OUT");
  return [g](std::ostream& out, std::ostream&) {
    last_greeting = *g;
    out << "hello " << g->who << '\n';
    return 1;
  };
}

command_run define_count(CLI::App& app) {
  auto n = std::make_shared<std::optional<int>>();
  app.add_option("N", *n, "how far");
  app.add_option("--step", *n, "by how much (default 1)")
      ->check(CLI::Range(1, 9));
  return [](std::ostream&, std::ostream&) { return 0; };
}

command_run define_nothing(CLI::App&) {
  return [](std::ostream&, std::ostream&) { return 0; };
}

constexpr std::string_view greet_examples[] = {"Ada -o a", "--loud Bo -o b"};
constexpr exit_meaning greet_statuses[] = {
    {0, "nobody was there"}, {1, "greeted"}, {2, "wrong usage"}};
constexpr std::string_view count_examples[] = {"3"};
constexpr exit_meaning count_statuses[] = {{0, "counted"}, {2, "wrong usage"}};

const command table[] = {
    {.name = "greet",
     .summary = "Greet someone.",
     .details = "greets WHO | loudly with `--loud`",
     .examples = greet_examples,
     .statuses_before = "that of the last greeting.",
     .statuses = greet_statuses,
     .statuses_after = "Nobody is hurt.",
     .define = define_greet},
    {.name = "count",
     .summary = "Count.",
     .details = "counts",
     .examples = count_examples,
     .statuses = count_statuses,
     .define = define_count},
    {.name = "rest",
     .summary = "Rest.",
     .details = "rests",
     .examples = count_examples,
     .statuses = count_statuses,
     .define = define_nothing},
};

struct ran {
  int status;
  std::string out;
  std::string err;
};

ran run(std::span<const command> commands, std::vector<const char*> args) {
  args.insert(args.begin(), "compatta");
  std::ostringstream out;
  std::ostringstream err;
  const int status = compatta_main(static_cast<int>(args.size()), args.data(),
                                   commands, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, ACommandsHelpEndsWithItsExamplesAndExitStatuses) {
  const ran r = run(table, {"greet", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Greet someone.\nUsage: compatta greet "))
      << r.out;
  EXPECT_TRUE(
      r.out.ends_with("\n\nExamples:\n"
                      "  compatta greet Ada -o a\n"
                      "  compatta greet --loud Bo -o b\n"
                      "\n"
                      "Exit status: that of the last greeting. 0 "
                      "nobody was there; 1 greeted; 2 wrong usage. "
                      "Nobody is hurt.\n"))
      << r.out;
  EXPECT_TRUE(run(table, {"count", "--help"})
                  .out.ends_with("Examples:\n  compatta count 3\n\n"
                                 "Exit status: 0 counted; 2 wrong usage.\n"));
  // The main help lists the commands in the table's order.
  const std::string main = run(table, {"--help"}).out;
  EXPECT_LT(main.find("  greet "), main.find("  count "));
  EXPECT_LT(main.find("  count "), main.find("  rest "));
}

TEST(Cli, TheParsedCommandRunsOnItsOptionsAndGivesItsStatus) {
  const ran r = run(table, {"greet", "--loud", "-Wno-x", "Ada", "--colour",
                            "red", "-o", "f"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "hello Ada\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(last_greeting.who, "Ada");
  EXPECT_TRUE(last_greeting.loud);
  EXPECT_EQ(last_greeting.flags, std::vector<std::string>{"no-x"});
  EXPECT_EQ(last_greeting.colour, "red");
  EXPECT_EQ(run(table, {"rest"}).status, 0);
}

TEST(Cli, WrongUsageNamesTheTablesCommands) {
  const struct {
    std::span<const command> commands;
    std::vector<const char*> args;
    std::string err;
  } cases[] = {
      {table, {}, "compatta: a command is required: greet, count or rest\n"},
      {std::span(table).first(2),
       {},
       "compatta: a command is required: "
       "greet or count\n"},
      {std::span(table).first(1),
       {},
       "compatta: a command is required: "
       "greet\n"},
      {table,
       {"frobnicate"},
       "compatta: unknown command frobnicate: the commands are greet, count "
       "and rest\n"},
      {table,
       {"count", "--step", "10"},
       "compatta: --step: Value 10 not in range 1 to 9\n"},
  };
  for (const auto& c : cases) {
    const ran r = run(c.commands, c.args);
    EXPECT_EQ(r.status, 2) << c.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              c.err +
                  "Run 'compatta --help' or 'compatta COMMAND --help' for "
                  "usage.\n");
  }
}

// The renderings for the build: the list of commands for the manual page,
// and the README's table, each row's synopsis made from its options.
TEST(Cli, HiddenFlagsPrintTheCommandsAndTheReadmeTable) {
  EXPECT_EQ(run(table, {"--commands"}).out, "greet\ncount\nrest\n");
  const std::string markdown =
      "| Command | What it does |\n"
      "|---|---|\n"
      "| `compatta greet WHO [--loud] [-Wno-NAME] [--colour red\\|blue] "
      "-o OUT` | greets WHO \\| loudly with `--loud` |\n"
      "| `compatta count [N] [--step INT]` | counts |\n"
      "| `compatta rest` | rests |\n";
  EXPECT_EQ(run(table, {"--commands-markdown"}).out, markdown);
  EXPECT_EQ(commands_markdown(table), markdown);
  const ran completion = run(table, {"--bash-completion"});
  EXPECT_EQ(completion.status, 0);
  EXPECT_NE(completion.out.find("greet|count|rest)"), std::string::npos)
      << completion.out;
}

}  // namespace
}  // namespace compattatore::tool
