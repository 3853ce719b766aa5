// The plan-view drawing on a page: the track line, its kilometre ticks, and
// what the cell row and the station table place along it, labelled.
#ifndef TOOL_DRAWING_PLOT_DRAWING_H_
#define TOOL_DRAWING_PLOT_DRAWING_H_

#include <vector>

#include "tool/drawing/plot_canvas.h"
#include "tool/drawing/plot_sampling.h"
#include "tool/drawing/plot_surface.h"

namespace compattatore::tool {

/// The metres a plan draws: from `from` to `to`, and `route_end`, the
/// route's end, after which the line is the cell row's margin.
struct plan_stretch {
  double from = 0;
  double to = 0;
  double route_end = 0;
};

/// The stretch `in` asks for, of a line whose points run from metre
/// `first` to metre `last`.
plan_stretch drawn_stretch(const plot_input& in, double first, double last);

/// The whole page, `width` by `height`: title, drawing and legend; the
/// labels as placed go to `layout`.
/// REQUIRES: `points` are the track line's points in the stretch, at least
/// two.
void draw_page(canvas& c, const plot_input& in,
               const std::vector<line_point>& points, double width,
               double height, plan_layout* layout);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_DRAWING_H_
