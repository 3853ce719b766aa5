#include "tool/plot_style.h"

#include <cmath>

namespace compattatore::tool {

void use_colour(cairo_t* cr, rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void text_at(cairo_t* cr, double x, double y, const std::string& s, double size,
             bool centred) {
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  const double left = centred ? x - e.width / 2 - e.x_bearing : x;
  cairo_move_to(cr, left, centred ? y - e.height / 2 - e.y_bearing : y);
  cairo_show_text(cr, s.c_str());
}

void dot(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

void square(cairo_t* cr, double x, double y, double half) {
  cairo_rectangle(cr, x - half, y - half, 2 * half, 2 * half);
  cairo_fill(cr);
}

}  // namespace compattatore::tool
