#include "tool/plot_legend.h"

#include <string>
#include <vector>

#include "tool/plot_page.h"
#include "tool/plot_style.h"

namespace compattatore::tool {
namespace {

struct voce {
  std::string label;
  void (*sample)(cairo_t*, double x, double y);
};

}  // namespace

void draw_legend(cairo_t* cr, double width, double height, bool with_cells,
                 bool with_stations, double scale) {
  std::vector<voce> voci = {
      {"track",
       [](cairo_t* c, double x, double y) {
         use_colour(c, colore_linea);
         cairo_set_line_width(c, 2.0);
         cairo_move_to(c, x, y);
         cairo_line_to(c, x + 20, y);
         cairo_stroke(c);
       }},
      {"km tick",
       [](cairo_t* c, double x, double y) {
         use_colour(c, colore_linea);
         cairo_set_line_width(c, 1.0);
         cairo_move_to(c, x, y);
         cairo_line_to(c, x + 20, y);
         cairo_move_to(c, x + 10, y - 4);
         cairo_line_to(c, x + 10, y + 4);
         cairo_stroke(c);
       }},
  };
  if (with_stations) {
    voci.push_back({"station", [](cairo_t* c, double x, double y) {
                      use_colour(c, colore_stazione);
                      dot(c, x + 10, y, 4.0);
                    }});
  }
  if (with_cells) {
    voci.push_back({"signal", [](cairo_t* c, double x, double y) {
                      use_colour(c, colore_segnale);
                      dot(c, x + 10, y, 3.0);
                    }});
    voci.push_back({"slowdown", [](cairo_t* c, double x, double y) {
                      use_colour(c, colore_rallentamento, 0.55);
                      cairo_set_line_width(c, 7.0);
                      cairo_move_to(c, x, y);
                      cairo_line_to(c, x + 20, y);
                      cairo_stroke(c);
                    }});
    voci.push_back({"board", [](cairo_t* c, double x, double y) {
                      use_colour(c, colore_cartello);
                      square(c, x + 10, y, 2.5);
                    }});
  }
  const double y = height - banda_legenda / 2;
  double x = margine;
  for (const voce& v : voci) {
    v.sample(cr, x, y);
    use_colour(cr, colore_linea);
    text_at(cr, x + 26, y + 4, v.label, 10.0, false);
    x += 110;
  }

  // Scale bar, at the right end of the band.
  if (scale <= 0.0) return;
  const double metres = passo_tondo(80.0 / scale, 1.0);
  const double len = metres * scale;
  const double right = width - margine;
  use_colour(cr, colore_linea);
  cairo_set_line_width(cr, 2.0);
  cairo_move_to(cr, right - len, y);
  cairo_line_to(cr, right, y);
  cairo_move_to(cr, right - len, y - 4);
  cairo_line_to(cr, right - len, y + 4);
  cairo_move_to(cr, right, y - 4);
  cairo_line_to(cr, right, y + 4);
  cairo_stroke(cr);
  const std::string label =
      metres >= 1000.0
          ? std::to_string(static_cast<long long>(metres / 1000.0)) + " km"
          : std::to_string(static_cast<long long>(metres)) + " m";
  text_at(cr, right - len / 2, y - 12, label, 10.0, true);
}

}  // namespace compattatore::tool
