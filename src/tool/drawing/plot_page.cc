#include "tool/drawing/plot_page.h"

#include <algorithm>

namespace compattatore::tool {

page_transform fit(double min_x, double min_y, double max_x, double max_y,
                   double left, double top, double width, double height) {
  const double ex = max_x - min_x;
  const double ey = max_y - min_y;
  double scale = 1.0;
  if (ex > 0 && ey > 0) {
    scale = std::min(width / ex, height / ey);
  } else if (ex > 0) {
    scale = width / ex;
  } else if (ey > 0) {
    scale = height / ey;
  }
  page_transform t;
  t.scale = scale;
  t.ox = left + width / 2 - (min_x + max_x) / 2 * scale;
  t.oy = top + height / 2 + (min_y + max_y) / 2 * scale;
  return t;
}

double round_step(double min, double unit) {
  double p = unit;
  for (;;) {
    for (double f : {1.0, 2.0, 5.0}) {
      if (f * p >= min) return f * p;
    }
    p *= 10.0;
  }
}

}  // namespace compattatore::tool
