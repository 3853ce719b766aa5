// The legend band of a drawing: a sample of each kind of mark or line
// drawn, with its name, and a scale bar.
#ifndef TOOL_DRAWING_PLOT_LEGEND_H_
#define TOOL_DRAWING_PLOT_LEGEND_H_

#include <functional>
#include <string>
#include <vector>

#include "tool/drawing/plot_canvas.h"
#include "tool/drawing/plot_style.h"

namespace compattatore::tool {

struct legend_entry {
  std::string label;
  /// Draws the sample in the 20 units wide from `x`, centred on `y`.
  std::function<void(canvas&, double x, double y)> sample;
};

/// An entry showing the mark of `kind`.
legend_entry mark_entry(mark_kind kind);
/// An entry showing a line of colour `c`, `width` wide, dashed when
/// `dash` is positive.
legend_entry line_entry(std::string label, rgb c, double width,
                        double alpha = 1.0, double dash = 0.0);

/// Into the band below the drawing of a page `width` by `height`: the
/// entries in rows, and a bar for `scale` (page units per metre; none when
/// not positive).
void draw_legend(canvas& c, const std::vector<legend_entry>& entries,
                 double width, double height, double scale);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_LEGEND_H_
