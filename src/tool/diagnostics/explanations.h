// `compatta explain`: the longer story behind each fault code, seal guard
// and warning, in the style of a compiler's error index: the rule, why the
// simulator needs it, and a wrong and a right way to write it. Each story is
// a Markdown file of explanations/, embedded when the tool is built
// (cmake/embed_explanations.cmake); its title is the fault table's or the
// warning table's. The stories speak of the route in 50 m stretches (an
// object at position P stands in the stretch from about P to P + 50 m, and
// each stretch holds one object), never in the model's words.
#ifndef TOOL_DIAGNOSTICS_EXPLANATIONS_H_
#define TOOL_DIAGNOSTICS_EXPLANATIONS_H_

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace compattatore::tool {

struct explanation {
  /// A fault code ("16", "1250") or a warning's name ("unknown-keyword"),
  /// the name of its file.
  std::string_view key;
  std::string_view rule;
  std::string_view why;
  /// Lines of a text, without their line ends; the right one mends the
  /// wrong one.
  std::string_view wrong;
  std::string_view right;
};

/// Every explanation: the codes in increasing order, then the warnings.
std::span<const explanation> explanations();

/// The one line that says what `e` is about: the meaning of its code in the
/// fault table (codice::fault_table, codice::seal_guard_table), or the
/// summary of its warning (avviso::warning_table).
std::string_view explanation_title(const explanation& e);

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
