// The legend band of a plan-view drawing: a sample of each kind of mark
// drawn, and a scale bar.
#ifndef TOOL_PLOT_LEGEND_H_
#define TOOL_PLOT_LEGEND_H_

#include <cairo.h>

namespace compattatore::tool {

/// Into the band below the drawing of a page `width` by `height`: the track
/// and kilometre ticks always, stations and the cell row's marks when drawn,
/// and a bar for `scale` (page units per metre; none when not positive).
void draw_legend(cairo_t* cr, double width, double height, bool with_cells,
                 bool with_stations, double scale);

}  // namespace compattatore::tool

#endif  // TOOL_PLOT_LEGEND_H_
