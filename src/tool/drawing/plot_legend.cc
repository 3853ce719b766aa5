#include "tool/drawing/plot_legend.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tool/drawing/plot_page.h"

namespace compattatore::tool {
namespace {

constexpr double entry_step = 150.0;
constexpr double scale_bar_width = 170.0;

}  // namespace

legend_entry mark_entry(mark_kind kind) {
  return {std::string(mark_name(kind)), [kind](canvas& c, double x, double y) {
            draw_mark(c, kind, x + 10, y);
          }};
}

legend_entry line_entry(std::string label, rgb colour, double width,
                        double alpha, double dash) {
  return {std::move(label), [=](canvas& c, double x, double y) {
            c.colour(colour, alpha);
            c.line_width(width);
            c.dash(dash);
            c.move_to(x, y);
            c.line_to(x + 20, y);
            c.stroke();
            c.dash(0);
          }};
}

void draw_legend(canvas& c, const std::vector<legend_entry>& entries,
                 double width, double height, double scale) {
  const double top = height - legend_band;
  const double right_end = width - page_margin - scale_bar_width;
  const auto per_row = static_cast<std::size_t>(
      std::max(1.0, (right_end - page_margin) / entry_step));
  const std::size_t rows = (entries.size() + per_row - 1) / per_row;
  const double row_step =
      rows > 1 ? legend_band / static_cast<double>(rows) : legend_band / 2;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const double x =
        page_margin + static_cast<double>(i % per_row) * entry_step;
    const double y =
        rows > 1 ? top + row_step * (static_cast<double>(i / per_row) + 0.5)
                 : top + legend_band / 2;
    entries[i].sample(c, x, y);
    c.colour(line_colour);
    c.text(x + 26, y + 4, entries[i].label, 10.0, text_anchor::start);
  }

  // Scale bar, at the right end of the band.
  if (scale <= 0.0) return;
  const double metres = round_step(80.0 / scale, 1.0);
  const double len = metres * scale;
  const double right = width - page_margin;
  const double y = top + legend_band / 2;
  c.colour(line_colour);
  c.line_width(2.0);
  c.move_to(right - len, y);
  c.line_to(right, y);
  c.move_to(right - len, y - 4);
  c.line_to(right - len, y + 4);
  c.move_to(right, y - 4);
  c.line_to(right, y + 4);
  c.stroke();
  const std::string label =
      metres >= 1000.0
          ? std::to_string(static_cast<long long>(metres / 1000.0)) + " km"
          : std::to_string(static_cast<long long>(metres)) + " m";
  c.text(right - len / 2, y - 8, label, 10.0, text_anchor::middle);
}

}  // namespace compattatore::tool
