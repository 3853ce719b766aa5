// The plan-view drawing on a page: the track line, its kilometre ticks, and
// what the cell row and the station table place along it.
#ifndef TOOL_PLOT_DRAWING_H_
#define TOOL_PLOT_DRAWING_H_

#include <cairo.h>

#include <vector>

#include "tool/plot_sampling.h"
#include "tool/plot_surface.h"

namespace compattatore::tool {

/// The whole page, `width` by `height`: title, drawing and legend.
/// REQUIRES: `punti` are the track line's points, at least two.
void draw_page(cairo_t* cr, const plot_input& in,
               const std::vector<punto>& punti, double width, double height);

}  // namespace compattatore::tool

#endif  // TOOL_PLOT_DRAWING_H_
