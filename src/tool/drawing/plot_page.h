// The page of a plan-view drawing: where the drawing, its title and its
// legend go, and the one scale that maps plan-view metres onto it.
#ifndef TOOL_DRAWING_PLOT_PAGE_H_
#define TOOL_DRAWING_PLOT_PAGE_H_

namespace compattatore::tool {

// Page layout, in page units: a title band above the drawing, a legend
// band below it.
inline constexpr double page_margin = 30.0;
inline constexpr double title_band = 40.0;
inline constexpr double legend_band = 60.0;

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

/// Smallest of 1, 2, 5, 10, 20, 50, ... times `unit` that is at least `min`:
/// the steps of kilometre labels and of the scale bar.
double round_step(double min, double unit);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_PAGE_H_
