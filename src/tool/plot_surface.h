// A plan-view drawing's bytes in one of the formats the tool writes, told
// by the output file's name.
#ifndef TOOL_PLOT_SURFACE_H_
#define TOOL_PLOT_SURFACE_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

enum class plot_format { svg, png, pdf };

/// By the file name's extension, in any case.
std::optional<plot_format> format_from_name(std::string_view path);

struct plot_input {
  const tracciato_linea* tracciato = nullptr;
  /// Optional: signals, slowdowns and boards from the cell row.
  const std::vector<cella>* celle = nullptr;
  /// Optional: stations, and the route length, from the station table.
  const std::array<stazione, numero_stazioni>* stazioni = nullptr;
  std::string title;
};

/// The drawing's bytes, `width` by `height` pixels (PNG) or points (SVG,
/// PDF). False with `*err` when the track line holds fewer than two points
/// or the drawing library fails.
[[nodiscard]] bool draw_plan(const plot_input& in, plot_format format,
                             int width, int height, std::string* bytes,
                             std::string* err);

}  // namespace compattatore::tool

#endif  // TOOL_PLOT_SURFACE_H_
