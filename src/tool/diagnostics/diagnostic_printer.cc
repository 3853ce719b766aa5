#include "tool/diagnostics/diagnostic_printer.h"

#include <algorithm>

#include "tool/common/message_prefix.h"

namespace compattatore::tool {
namespace {

// Terminal escapes, as compilers use them.
constexpr std::string_view bold = "\x1b[1m";
constexpr std::string_view red = "\x1b[1;31m";
constexpr std::string_view magenta = "\x1b[1;35m";
constexpr std::string_view cyan = "\x1b[1;36m";
constexpr std::string_view green = "\x1b[1;32m";
constexpr std::string_view reset = "\x1b[0m";

class painter {
 public:
  painter(std::ostream& out, bool colour) : out_(out), colour_(colour) {}
  painter& paint(std::string_view escape, std::string_view text) {
    if (colour_) out_ << escape;
    out_ << text;
    if (colour_) out_ << reset;
    return *this;
  }
  painter& plain(std::string_view text) {
    out_ << text;
    return *this;
  }

 private:
  std::ostream& out_;
  bool colour_;
};

std::string place(const std::string& file, std::int32_t line,
                  std::int32_t column) {
  if (file.empty()) return std::string(message_prefix.substr(0, 8)) + ":";
  std::string out = file;
  if (line > 0) {
    out += ':' + std::to_string(line);
    if (column > 0) out += ':' + std::to_string(column);
  }
  return out + ':';
}

// The source line and a caret with tildes under columns [column, end).
void quote(painter& p, const source_texts& sources, const std::string& file,
           std::int32_t line, std::int32_t column, std::int32_t end) {
  if (file.empty() || line <= 0) return;
  const std::string_view text = sources.line(file, line);
  if (text.empty()) return;
  std::string number = std::to_string(line);
  const std::size_t width = std::max<std::size_t>(5, number.size());
  std::string shown(text);
  // Tabs shown as one blank each, so that the caret stays under its byte.
  std::replace(shown.begin(), shown.end(), '\t', ' ');
  p.plain(std::string(width - number.size(), ' ') + number + " | " + shown +
          "\n");
  if (column <= 0) return;
  std::string caret = "^";
  const std::int32_t last = std::max(end, column + 1);
  const auto room = static_cast<std::int32_t>(text.size()) - column + 1;
  caret += std::string(static_cast<std::size_t>(std::clamp(
                           std::min(last - column - 1, room - 1), 0, 4096)),
                       '~');
  p.plain(std::string(width + 1, ' ') + "| " +
          std::string(static_cast<std::size_t>(column - 1), ' '));
  p.paint(green, caret).plain("\n");
}

}  // namespace

std::string_view source_texts::line(const std::string& path,
                                    std::int32_t line) const {
  const auto it = texts_.find(path);
  if (it == texts_.end() || line <= 0) return {};
  const std::string& t = it->second;
  std::vector<std::size_t>& starts = starts_[path];
  if (starts.empty()) {
    starts.push_back(0);
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == '\n' ||
          (t[i] == '\r' && !(i + 1 < t.size() && t[i + 1] == '\n'))) {
        starts.push_back(i + 1);
      }
    }
  }
  const auto n = static_cast<std::size_t>(line);
  if (n > starts.size()) return {};
  const std::size_t from = starts[n - 1];
  std::size_t to = from;
  while (to < t.size() && t[to] != '\r' && t[to] != '\n') ++to;
  return std::string_view(t).substr(from, to - from);
}

std::string summary_line(const std::vector<diagnostic>& list) {
  std::size_t errors = 0;
  std::size_t warnings = 0;
  for (const diagnostic& d : list) {
    (d.level == severity::error ? errors : warnings) += 1;
  }
  std::string out;
  if (errors > 0) {
    out = std::to_string(errors) + (errors == 1 ? " error" : " errors");
  }
  if (warnings > 0) {
    if (!out.empty()) out += ", ";
    out +=
        std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
  }
  return out;
}

void print_diagnostics(std::ostream& out, const std::vector<diagnostic>& list,
                       const source_texts& sources, bool colour) {
  if (list.empty()) return;
  painter p(out, colour);
  for (const diagnostic& d : list) {
    p.paint(bold, place(d.file, d.line, d.column)).plain(" ");
    if (d.level == severity::error) {
      std::string head = "error";
      if (d.code) head += ' ' + std::to_string(*d.code);
      p.paint(red, head + ":");
    } else {
      p.paint(magenta, "warning:");
    }
    p.plain(" " + d.message);
    if (!d.name.empty()) {
      p.plain(" [-W" + d.name + "]\n");
    } else if (d.code) {
      p.plain(" [explain " + std::to_string(*d.code) + "]\n");
    } else {
      p.plain("\n");
    }
    quote(p, sources, d.file, d.line, d.column, d.end_column);
    for (const diagnostic_note& n : d.notes) {
      p.paint(bold, place(n.file, n.line, n.column))
          .plain(" ")
          .paint(cyan, "note:")
          .plain(" " + n.message + "\n");
      quote(p, sources, n.file, n.line, n.column, n.end_column);
    }
  }
  p.plain(summary_line(list) + "\n");
  p.plain("compatta explain CODE or NAME tells more about a problem\n");
}

}  // namespace compattatore::tool
