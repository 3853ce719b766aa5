// The look shared by a plan-view drawing and its legend: the colours of
// each kind of mark, and the marks' shapes.
#ifndef TOOL_PLOT_STYLE_H_
#define TOOL_PLOT_STYLE_H_

#include <cairo.h>

#include <string>

namespace compattatore::tool {

struct rgb {
  double r, g, b;
};
inline constexpr rgb colore_linea{0.15, 0.15, 0.15};
inline constexpr rgb colore_oltre{0.6, 0.6, 0.6};
inline constexpr rgb colore_stazione{0.1, 0.3, 0.8};
inline constexpr rgb colore_segnale{0.85, 0.1, 0.1};
inline constexpr rgb colore_rallentamento{1.0, 0.55, 0.0};
inline constexpr rgb colore_cartello{0.1, 0.6, 0.2};

void use_colour(cairo_t* cr, rgb c, double alpha = 1.0);

/// `s` with its baseline starting at (x, y), or centred on (x, y).
void text_at(cairo_t* cr, double x, double y, const std::string& s, double size,
             bool centred);
/// A filled disc of radius `r` at (x, y).
void dot(cairo_t* cr, double x, double y, double r);
/// A filled square of side 2 * `half` centred on (x, y).
void square(cairo_t* cr, double x, double y, double half);

}  // namespace compattatore::tool

#endif  // TOOL_PLOT_STYLE_H_
