// A drawing's bytes in one of the formats the tool writes, told by the
// output file's name: SVG by our own writer (text stays text), PNG and PDF
// through cairo.
#ifndef TOOL_DRAWING_PLOT_SURFACE_H_
#define TOOL_DRAWING_PLOT_SURFACE_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"
#include "tool/drawing/plot_canvas.h"
#include "tool/drawing/plot_labels.h"

namespace compattatore::tool {

enum class plot_format { svg, png, pdf };

/// By the file name's extension, in any case.
std::optional<plot_format> format_from_name(std::string_view path);

/// The page drawn by `draw` on a canvas `width` by `height`, as `format`'s
/// bytes. False with `*err` when the drawing library fails.
[[nodiscard]] bool render_drawing(plot_format format, int width, int height,
                                  const std::function<void(canvas&)>& draw,
                                  std::string* bytes, std::string* err);

struct plot_input {
  const tracciato_linea* tracciato = nullptr;
  /// Optional: signals, slowdowns, boards and speed caps from the cell row.
  const std::vector<cella>* celle = nullptr;
  /// Optional: stations, board inscriptions and the route length, from the
  /// station table.
  const std::array<stazione, numero_stazioni>* stazioni = nullptr;
  std::string title;
  /// The stretch drawn, in metres; negative: from the start, to the route's
  /// end. REQUIRES: from < to when both are given.
  std::int64_t from = -1;
  std::int64_t to = -1;
  /// Also the line past the route's end (the cell row's margin), dashed.
  bool margin = false;
};

/// A metre of the line and where it stands on the page.
struct page_point {
  double metro = 0;
  double x = 0;
  double y = 0;
};

/// Where a plan's labels and line went, for its users and its tests.
struct plan_layout {
  std::vector<placed_label> labels;
  /// Labels that found no free place and were left out.
  std::vector<std::string> left_out;
  /// The drawn line on the page, from its first metre to its last, at
  /// most `max_route_points` points evenly spaced: enough to find a metre
  /// on it, or the metre under a pointer.
  std::vector<page_point> percorso;
};
inline constexpr std::size_t max_route_points = 1500;

/// The drawing's bytes, `width` by `height` pixels (PNG) or points (SVG,
/// PDF). False with `*err` when the track line holds fewer than two points
/// in the stretch or the drawing library fails. `layout`, when given,
/// receives the labels as placed.
[[nodiscard]] bool draw_plan(const plot_input& in, plot_format format,
                             int width, int height, std::string* bytes,
                             std::string* err, plan_layout* layout = nullptr);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_SURFACE_H_
