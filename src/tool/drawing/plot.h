// `compatta plot`: the plan view of the track line to scale, with what the
// cell row and the station table place along it. The page and the surfaces
// have their own headers, included here for the command's users.
#ifndef TOOL_DRAWING_PLOT_H_
#define TOOL_DRAWING_PLOT_H_

#include <ostream>
#include <string>

#include "tool/drawing/plot_page.h"
#include "tool/drawing/plot_surface.h"

namespace compattatore::tool {

struct plot_options {
  std::string track;
  std::string cells;
  std::string stations;
  std::string out;
  int width = 1200;
  int height = 800;
  /// The stretch, as given ("1500", "1500m", "1.5km"); empty: from the
  /// start, to the route's end.
  std::string from;
  std::string to;
  /// Also the line past the route's end, the cell row's margin.
  bool margin = false;
};

/// Returns the exit status: 0, or 2 when an input cannot be read or decoded,
/// the output's format is unknown, it is one of the inputs (however named)
/// or it cannot be written, or the stretch is not one of the route.
int run_plot(const plot_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_H_
