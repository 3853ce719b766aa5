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

void draw_mark(canvas& c, mark_kind kind, double x, double y) {
  switch (kind) {
    case mark_kind::stazione:
      c.colour(station_colour);
      c.circle(x, y, 4.5);
      c.fill();
      c.colour({1, 1, 1});
      c.circle(x, y, 1.8);
      c.fill();
      return;
    case mark_kind::fermata:
      c.colour(station_colour);
      c.rectangle(x - 1.5, y - 6, 3, 12);
      c.fill();
      return;
    case mark_kind::segnale:
      c.colour(signal_colour);
      c.circle(x, y, 3.2);
      c.fill();
      return;
    case mark_kind::cartello_velocita:
      c.colour(board_colour);
      c.rectangle(x - 3.5, y - 3.5, 7, 7);
      c.fill();
      return;
    case mark_kind::cartello_indicatore:
      c.colour(indication_colour);
      c.move_to(x, y - 4.5);
      c.line_to(x + 4.5, y);
      c.line_to(x, y + 4.5);
      c.line_to(x - 4.5, y);
      c.close_path();
      c.fill();
      return;
    case mark_kind::avviso_rallentamento:
      c.colour(slowdown_colour);
      triangle(c, x, y, 4.5, false);
      c.fill();
      return;
    case mark_kind::punto_velocita:
      c.colour(point_colour);
      triangle(c, x, y, 3.5, true);
      c.fill();
      return;
    case mark_kind::punto_del_passo:
      c.colour(pass_colour);
      triangle(c, x, y, 3.5, true);
      c.line_width(1.2);
      c.stroke();
      return;
  }
}

std::string_view mark_name(mark_kind kind) {
  switch (kind) {
    case mark_kind::stazione:
      return "station";
    case mark_kind::fermata:
      return "stop (station end)";
    case mark_kind::segnale:
      return "signal";
    case mark_kind::cartello_velocita:
      return "speed board";
    case mark_kind::cartello_indicatore:
      return "indication board";
    case mark_kind::avviso_rallentamento:
      return "slowdown warning";
    case mark_kind::punto_velocita:
      return "speed cap";
    case mark_kind::punto_del_passo:
      return "speed point (pass)";
  }
  return {};
}

}  // namespace compattatore::tool
