#include "tool/cli/help_text.h"

namespace compattatore::tool {

std::string help_footer(const command& c) {
  std::string out = "Examples:\n";
  for (const std::string_view example : c.examples) {
    out += "  compatta ";
    out += c.name;
    out += ' ';
    out += example;
    out += '\n';
  }
  return out + '\n' + exit_status_line(c);
}

std::string exit_status_line(const command& c) {
  std::string out = "Exit status: ";
  if (!c.statuses_before.empty()) {
    out += c.statuses_before;
    out += ' ';
  }
  for (std::size_t i = 0; i < c.statuses.size(); ++i) {
    if (i > 0) out += "; ";
    out += std::to_string(c.statuses[i].status);
    out += ' ';
    out += c.statuses[i].meaning;
  }
  out += '.';
  if (!c.statuses_after.empty()) {
    out += ' ';
    out += c.statuses_after;
  }
  return out;
}

std::string command_names(std::span<const command> commands,
                          std::string_view last) {
  std::string out;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (i > 0) {
      if (i + 1 < commands.size()) {
        out += ", ";
      } else {
        out += ' ';
        out += last;
        out += ' ';
      }
    }
    out += commands[i].name;
  }
  return out;
}

}  // namespace compattatore::tool
