// One problem the tool reports about an author's texts: an error (a fault
// code, or a seal guard as 1250/1251) or a named warning, placed in a text,
// with notes at the places that conflict with it. The checker, the report
// page and `watch` all speak in these.
#ifndef TOOL_DIAGNOSTICS_DIAGNOSTIC_H_
#define TOOL_DIAGNOSTICS_DIAGNOSTIC_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace compattatore::tool {

enum class severity { error, warning };

/// A further place a diagnostic refers to ("taken by the signal at ... here").
struct diagnostic_note {
  std::string file;
  std::int32_t line = 0;
  std::int32_t column = 0;
  /// One past the last column the caret underlines; 0 when not known.
  std::int32_t end_column = 0;
  std::string message;
};

struct diagnostic {
  severity level = severity::error;
  /// The fault code of an error; none for a warning.
  std::optional<std::int32_t> code;
  /// The warning's name (what -Wno-NAME silences); empty for an error.
  std::string name;
  /// As given on the command line; empty when no text is to blame.
  std::string file;
  /// 1-based; 0 when not known.
  std::int32_t line = 0;
  std::int32_t column = 0;
  /// One past the last column the caret underlines; 0 when not known.
  std::int32_t end_column = 0;
  std::string message;
  std::vector<diagnostic_note> notes;
};

/// The `diagnostics` list of the `--json` objects.
nlohmann::ordered_json diagnostics_json(const std::vector<diagnostic>& list);

}  // namespace compattatore::tool

#endif  // TOOL_DIAGNOSTICS_DIAGNOSTIC_H_
