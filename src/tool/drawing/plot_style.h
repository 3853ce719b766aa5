// The look shared by the drawings and their legends: the colours, and one
// mark for each kind of object, so a legend shows exactly what is drawn.
#ifndef TOOL_DRAWING_PLOT_STYLE_H_
#define TOOL_DRAWING_PLOT_STYLE_H_

#include <string_view>

namespace compattatore::tool {

class canvas;

struct rgb {
  double r, g, b;
};
inline constexpr rgb line_colour{0.15, 0.15, 0.15};
inline constexpr rgb beyond_colour{0.6, 0.6, 0.6};
inline constexpr rgb grid_colour{0.88, 0.88, 0.88};
inline constexpr rgb station_colour{0.1, 0.3, 0.8};
inline constexpr rgb signal_colour{0.85, 0.1, 0.1};
inline constexpr rgb slowdown_colour{1.0, 0.55, 0.0};
inline constexpr rgb board_colour{0.1, 0.6, 0.2};
inline constexpr rgb indication_colour{0.55, 0.2, 0.65};
inline constexpr rgb point_colour{0.2, 0.2, 0.2};
inline constexpr rgb pass_colour{0.0, 0.6, 0.75};
inline constexpr rgb gradient_colour{0.55, 0.4, 0.2};
inline constexpr rgb adhesion_colour{0.3, 0.5, 0.3};
inline constexpr rgb mountain_colour{0.35, 0.35, 0.4};
inline constexpr rgb leader_colour{0.45, 0.45, 0.45};

/// The kinds of object a drawing marks, each with its own mark.
enum class mark_kind {
  stazione,
  fermata,
  segnale,
  cartello_velocita,
  cartello_indicatore,
  avviso_rallentamento,
  punto_velocita,
  punto_del_passo,
};

/// The mark of `kind` centred on (x, y).
void draw_mark(canvas& c, mark_kind kind, double x, double y);

/// The legend's words for `kind`.
std::string_view mark_name(mark_kind kind);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_STYLE_H_
