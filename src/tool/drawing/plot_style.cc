#include "tool/drawing/plot_style.h"

#include "tool/drawing/plot_canvas.h"

namespace compattatore::tool {
namespace {

void triangle(canvas& c, double x, double y, double half, bool down) {
  const double s = down ? -1 : 1;
  c.move_to(x - half, y + s * half * 0.8);
  c.line_to(x + half, y + s * half * 0.8);
  c.line_to(x, y - s * half * 1.1);
  c.close_path();
}

}  // namespace

void draw_mark(canvas& c, segno kind, double x, double y) {
  switch (kind) {
    case segno::stazione:
      c.colour(colore_stazione);
      c.circle(x, y, 4.5);
      c.fill();
      c.colour({1, 1, 1});
      c.circle(x, y, 1.8);
      c.fill();
      return;
    case segno::fermata:
      c.colour(colore_stazione);
      c.rectangle(x - 1.5, y - 6, 3, 12);
      c.fill();
      return;
    case segno::segnale:
      c.colour(colore_segnale);
      c.circle(x, y, 3.2);
      c.fill();
      return;
    case segno::cartello_velocita:
      c.colour(colore_cartello);
      c.rectangle(x - 3.5, y - 3.5, 7, 7);
      c.fill();
      return;
    case segno::cartello_indicatore:
      c.colour(colore_indicazione);
      c.move_to(x, y - 4.5);
      c.line_to(x + 4.5, y);
      c.line_to(x, y + 4.5);
      c.line_to(x - 4.5, y);
      c.close_path();
      c.fill();
      return;
    case segno::avviso_rallentamento:
      c.colour(colore_rallentamento);
      triangle(c, x, y, 4.5, false);
      c.fill();
      return;
    case segno::punto_velocita:
      c.colour(colore_punto);
      triangle(c, x, y, 3.5, true);
      c.fill();
      return;
    case segno::punto_del_passo:
      c.colour(colore_passo);
      triangle(c, x, y, 3.5, true);
      c.line_width(1.2);
      c.stroke();
      return;
  }
}

std::string_view mark_name(segno kind) {
  switch (kind) {
    case segno::stazione:
      return "station";
    case segno::fermata:
      return "stop (station end)";
    case segno::segnale:
      return "signal";
    case segno::cartello_velocita:
      return "speed board";
    case segno::cartello_indicatore:
      return "indication board";
    case segno::avviso_rallentamento:
      return "slowdown warning";
    case segno::punto_velocita:
      return "speed cap";
    case segno::punto_del_passo:
      return "speed point (pass)";
  }
  return {};
}

}  // namespace compattatore::tool
