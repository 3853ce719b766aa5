// Prints diagnostics as a compiler does: the place, the severity, the
// message, the source line with a caret under the field, the notes, and a
// summary line.
#ifndef TOOL_DIAGNOSTICS_DIAGNOSTIC_PRINTER_H_
#define TOOL_DIAGNOSTICS_DIAGNOSTIC_PRINTER_H_

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tool/diagnostics/diagnostic.h"

namespace compattatore::tool {

/// The texts the diagnostics point into, by the path they were given as.
class source_texts {
 public:
  void add(const std::string& path, std::string text) {
    texts_[path] = std::move(text);
  }
  /// Line `line` (1-based) of `path` without its line end; empty when
  /// unknown.
  std::string_view line(const std::string& path, std::int32_t line) const;

 private:
  std::map<std::string, std::string> texts_;
  mutable std::map<std::string, std::vector<std::size_t>> starts_;
};

/// Every diagnostic in list order, then "2 errors, 3 warnings" and a hint
/// at `compatta explain`; nothing at all for an empty list. `colour`
/// paints it with terminal escapes.
void print_diagnostics(std::ostream& out, const std::vector<diagnostic>& list,
                       const source_texts& sources, bool colour);

/// "2 errors, 3 warnings"; empty when there is nothing.
std::string summary_line(const std::vector<diagnostic>& list);

}  // namespace compattatore::tool

#endif  // TOOL_DIAGNOSTICS_DIAGNOSTIC_PRINTER_H_
