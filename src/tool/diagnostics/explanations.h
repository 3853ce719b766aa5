// `compatta explain`: the longer story behind each fault code and warning,
// in the style of a compiler's error index: the rule, why the simulator
// needs it, and a wrong and a right way to write it.
#ifndef TOOL_DIAGNOSTICS_EXPLANATIONS_H_
#define TOOL_DIAGNOSTICS_EXPLANATIONS_H_

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace compattatore::tool {

struct explanation {
  /// A fault code ("16", "1250") or a warning's name ("unknown-keyword").
  std::string_view key;
  std::string_view title;
  std::string_view rule;
  std::string_view why;
  /// Lines of a text, without their line ends; the right one mends the
  /// wrong one.
  std::string_view wrong;
  std::string_view right;
};

std::span<const explanation> explanations();

/// By code or name; a name may be written as the option that silences it
/// ("-Wno-run-on") or names it ("-Wrun-on"), a code as "E16" too.
const explanation* find_explanation(std::string_view key);

/// The explanation as `compatta explain` prints it, ending in a line end.
std::string explanation_text(const explanation& e);

/// `compatta explain [KEY] [--reference]`. Without a key, lists every code
/// and name with its title. Returns the exit status: 0, or 2 for a key that
/// names nothing.
int run_explain(const std::optional<std::string>& key, bool reference,
                std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DIAGNOSTICS_EXPLANATIONS_H_
