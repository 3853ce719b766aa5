// `compatta plot`: the plan view of the track line to scale, with what the
// cell row and the station table place along it.
#ifndef TOOL_PLOT_H_
#define TOOL_PLOT_H_

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore::tool {

enum class plot_format { svg, png, pdf };

/// By the file name's extension, in any case.
std::optional<plot_format> format_from_name(std::string_view path);

/// Plan-view metres to page units: one scale for both axes, y pointing up.
struct page_transform {
  double scale = 1.0;
  double ox = 0.0;
  double oy = 0.0;
  double page_x(double x) const { return ox + x * scale; }
  double page_y(double y) const { return oy - y * scale; }
};

/// The largest scale at which the box [min, max] of the plan view fits the
/// page box at (left, top), width by height, centred in it. A box with no
/// extent along an axis is fitted along the other; a single point at scale
/// 1.
page_transform fit(double min_x, double min_y, double max_x, double max_y,
                   double left, double top, double width, double height);

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

struct plot_options {
  std::string track;
  std::string cells;
  std::string stations;
  std::string out;
  int width = 1200;
  int height = 800;
};

/// Returns the exit status: 0, or 2 when an input cannot be read or decoded,
/// the output's format is unknown, it is one of the inputs (however named)
/// or it cannot be written.
int run_plot(const plot_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_PLOT_H_
