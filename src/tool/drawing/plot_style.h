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
inline constexpr rgb colore_linea{0.15, 0.15, 0.15};
inline constexpr rgb colore_oltre{0.6, 0.6, 0.6};
inline constexpr rgb colore_griglia{0.88, 0.88, 0.88};
inline constexpr rgb colore_stazione{0.1, 0.3, 0.8};
inline constexpr rgb colore_segnale{0.85, 0.1, 0.1};
inline constexpr rgb colore_rallentamento{1.0, 0.55, 0.0};
inline constexpr rgb colore_cartello{0.1, 0.6, 0.2};
inline constexpr rgb colore_indicazione{0.55, 0.2, 0.65};
inline constexpr rgb colore_punto{0.2, 0.2, 0.2};
inline constexpr rgb colore_passo{0.0, 0.6, 0.75};
inline constexpr rgb colore_pendenza{0.55, 0.4, 0.2};
inline constexpr rgb colore_aderenza{0.3, 0.5, 0.3};
inline constexpr rgb colore_montagna{0.35, 0.35, 0.4};
inline constexpr rgb colore_leader{0.45, 0.45, 0.45};

/// The kinds of object a drawing marks, each with its own mark.
enum class segno {
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
void draw_mark(canvas& c, segno kind, double x, double y);

/// The legend's words for `kind`.
std::string_view mark_name(segno kind);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_STYLE_H_
