// The track line as a drawing samples it: the metres where both
// coordinates hold a value, placed on the page.
#ifndef TOOL_DRAWING_PLOT_SAMPLING_H_
#define TOOL_DRAWING_PLOT_SAMPLING_H_

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/tracciato.h"
#include "tool/drawing/plot_canvas.h"
#include "tool/drawing/plot_page.h"

namespace compattatore::tool {

struct line_point {
  double metro;
  double x;
  double y;
};

// At most this many points make the line: more add nothing at any page size
// this tool draws, and keep an SVG of a long route small.
inline constexpr std::size_t max_points = 8000;

/// The metres of the line where both coordinates hold a value, in order.
std::vector<line_point> track_points(const tracciato_linea& t);

/// The sampled line on the page. REQUIRES: at least one point.
class plan {
 public:
  plan(canvas& c, std::vector<line_point> points, page_transform tr)
      : c_(c), points_(std::move(points)), tr_(tr) {}

  double first() const { return points_.front().metro; }
  double last() const { return points_.back().metro; }
  double scale() const { return tr_.scale; }

  /// The point of the line at `metro`, clamped to the line's ends.
  line_point at(double metro) const;
  double px(const line_point& p) const { return tr_.page_x(p.x); }
  double py(const line_point& p) const { return tr_.page_y(p.y); }

  /// Unit normal on the page at `metro`, to the left of the direction of
  /// travel.
  void normal(double metro, double* nx, double* ny) const;

  /// The line from metre `from` to metre `to` as the current path.
  void path(double from, double to) const;
  /// Calls `f(x, y)` for page points of the line from `from` to `to`, at
  /// most about `spacing` page units apart.
  template <typename F>
  void each_point(double from, double to, double spacing, F&& f) const {
    const double metres = std::max(1.0, spacing / std::max(tr_.scale, 1e-9));
    for (double m = from; m <= to; m += metres) {
      const line_point p = at(m);
      f(px(p), py(p));
    }
  }

 private:
  canvas& c_;
  std::vector<line_point> points_;
  page_transform tr_;
};

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_SAMPLING_H_
