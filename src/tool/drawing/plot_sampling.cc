#include "tool/drawing/plot_sampling.h"

#include <algorithm>
#include <cmath>

namespace compattatore::tool {

std::vector<line_point> track_points(const tracciato_linea& t) {
  std::vector<line_point> out;
  for (std::size_t m = 0; m < t.metri(); ++m) {
    if (t.tipo(m, 0) == tipo_elemento::vuoto ||
        t.tipo(m, 1) == tipo_elemento::vuoto) {
      continue;
    }
    out.push_back({static_cast<double>(m), t.valore(m, 0), t.valore(m, 1)});
  }
  return out;
}

line_point plan::at(double metro) const {
  auto it = std::lower_bound(
      points_.begin(), points_.end(), metro,
      [](const line_point& p, double m) { return p.metro < m; });
  if (it == points_.end()) return points_.back();
  return *it;
}

void plan::normal(double metro, double* nx, double* ny) const {
  const line_point a = at(metro - 20.0);
  const line_point b = at(metro + 20.0);
  const double dx = px(b) - px(a);
  const double dy = py(b) - py(a);
  const double len = std::hypot(dx, dy);
  if (len == 0.0) {
    *nx = 1.0;
    *ny = 0.0;
    return;
  }
  *nx = dy / len;
  *ny = -dx / len;
}

void plan::path(double from, double to) const {
  const std::size_t step =
      std::max<std::size_t>(1, points_.size() / max_points);
  const line_point start = at(from);
  double x = px(start), y = py(start);
  c_.move_to(x, y);
  for (std::size_t i = 0; i < points_.size(); i += step) {
    const line_point& p = points_[i];
    if (p.metro <= from) continue;
    if (p.metro >= to) break;
    // Points closer than this on the page draw nothing new, and would only
    // make an SVG larger.
    if (std::hypot(px(p) - x, py(p) - y) < 0.5) continue;
    x = px(p);
    y = py(p);
    c_.line_to(x, y);
  }
  const line_point end = at(to);
  c_.line_to(px(end), py(end));
}

}  // namespace compattatore::tool
