#include "tool/cli/readme_table.h"

#include <CLI/CLI.hpp>
#include <string_view>
#include <vector>

namespace compattatore::tool {
namespace {

// Markdown table cells end at an unescaped "|", code spans included.
std::string cell(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

// What the option's value is called: its choices "a|b|c" when it has a
// fixed set (CLI::IsMember shows them as {a,b,c}), else its type's name
// without the checks' descriptions.
std::string value_name(const CLI::Option& o) {
  const std::string type = o.get_type_name();
  const auto open = type.find('{');
  const auto close = type.find('}', open);
  if (open != std::string::npos && close != std::string::npos) {
    std::string choices = type.substr(open + 1, close - open - 1);
    for (char& c : choices) {
      if (c == ',') c = '|';
    }
    return choices;
  }
  return type.substr(0, type.find(':'));
}

std::string spelled(const CLI::Option& o) {
  const std::vector<std::string>& shorts = o.get_snames();
  const std::vector<std::string>& longs = o.get_lnames();
  const std::string name =
      shorts.empty() ? "--" + longs.front() : "-" + shorts.front();
  if (o.get_items_expected_min() == 0) return name;
  return name + (longs.empty() ? "" : " ") + value_name(o);
}

}  // namespace

std::string synopsis(const CLI::App& sub) {
  std::string out = "compatta " + sub.get_name();
  const std::vector<const CLI::Option*> options = sub.get_options();
  for (const CLI::Option* o : options) {
    if (!o->get_positional()) continue;
    const std::string name = o->get_name();
    out += ' ' + (o->get_required() ? name : '[' + name + ']');
  }
  for (const CLI::Option* o : options) {
    if (o->get_positional() || o->get_group().empty() ||
        o == sub.get_help_ptr()) {
      continue;
    }
    const std::string name = spelled(*o);
    out += ' ' + (o->get_required() ? name : '[' + name + ']');
  }
  return out;
}

std::string commands_table(const CLI::App& app,
                           std::span<const command> commands) {
  std::string out =
      "| Command | What it does |\n"
      "|---|---|\n";
  for (const command& c : commands) {
    const CLI::App* sub = app.get_subcommand(std::string(c.name));
    out += "| `" + cell(synopsis(*sub)) + "` | " + cell(c.details) + " |\n";
  }
  return out;
}

}  // namespace compattatore::tool
