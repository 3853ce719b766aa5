#include "tool/commands/commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tool/cli/cli.h"

namespace compattatore::tool {
namespace {

// The README's table of commands is the table, printed: between its markers
// it holds exactly what `compatta --commands-markdown` prints.
TEST(Commands, ReadmeHoldsTheTable) {
  std::ifstream in(COMPATTATORE_README);
  ASSERT_TRUE(in) << COMPATTATORE_README;
  std::stringstream all;
  all << in.rdbuf();
  const std::string readme = all.str();
  const std::string start = "<!-- commands: begin -->\n";
  const std::string end = "<!-- commands: end -->\n";
  const std::size_t from = readme.find(start);
  const std::size_t to = readme.find(end);
  ASSERT_NE(from, std::string::npos) << "no table of commands in the README";
  ASSERT_NE(to, std::string::npos);
  EXPECT_EQ(readme.substr(from + start.size(), to - from - start.size()),
            commands_markdown(commands()))
      << "print the table again: compatta --commands-markdown";
}

// Each row is whole: a name of its own, its help, its README text, an
// example, and its exit statuses in rising order, among them success (0)
// and wrong usage (2), which every command can return, and no status the
// tool does not know.
TEST(Commands, EveryRowIsWhole) {
  std::set<std::string_view> names;
  for (const command& c : commands()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name << " twice";
    EXPECT_FALSE(c.summary.empty()) << c.name;
    EXPECT_FALSE(c.details.empty()) << c.name;
    EXPECT_FALSE(c.examples.empty()) << c.name;
    EXPECT_NE(c.define, nullptr) << c.name;
    std::set<int> statuses;
    int last = -1;
    for (const exit_meaning& s : c.statuses) {
      EXPECT_GT(s.status, last) << c.name;
      EXPECT_LE(s.status, 3) << c.name;
      EXPECT_FALSE(s.meaning.empty()) << c.name << " " << s.status;
      last = s.status;
      statuses.insert(s.status);
    }
    EXPECT_TRUE(statuses.contains(0)) << c.name;
    EXPECT_TRUE(statuses.contains(2)) << c.name;
  }
}

}  // namespace
}  // namespace compattatore::tool
