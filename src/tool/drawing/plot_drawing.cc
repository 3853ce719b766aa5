#include "tool/drawing/plot_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/scenario.h"
#include "tool/common/latin1.h"
#include "tool/drawing/plot_labels.h"
#include "tool/drawing/plot_legend.h"
#include "tool/drawing/plot_page.h"
#include "tool/drawing/plot_style.h"
#include "tool/drawing/plot_texts.h"

namespace compattatore::tool {
namespace {

// Around a label's text inside its box; the width keeps a little more for
// an SVG viewer whose sans-serif face runs wider than the one measured.
constexpr double label_padding = 2.0;
constexpr double svg_width_factor = 1.08;

struct label_request {
  std::string text;
  double metro;
  double size;
  rgb colour;
  bool bold;
  // Which side of the line the label looks for first: +1 the kilometre
  // labels' side (left of the direction of travel), -1 the other.
  double side;
};

// A station entry holds numbers; a board's entry holds its inscription
// only.
bool is_station(const stazione& s) {
  stazione numbers = s;
  numbers.nome.clear();
  return !(numbers == stazione{});
}

class plan_page {
 public:
  plan_page(canvas& c, const plot_input& in, const plan& pl, double route_end,
            double width, double height)
      : c_(c),
        in_(in),
        pl_(pl),
        route_end_(route_end),
        placer_({page_margin, title_band, width - page_margin,
                 height - legend_band}) {}

  bool holds(double metro) const {
    return metro >= pl_.first() && metro <= pl_.last();
  }

  void slowdowns() {
    const std::vector<cella>& celle = *in_.celle;
    c_.colour(slowdown_colour, 0.55);
    c_.line_width(7.0);
    bool aperto = false;
    double inizio = 0.0;
    for (std::size_t i = 0; i < celle.size(); ++i) {
      const double metro = static_cast<double>(metro_della_cella(i));
      if (celle[i].is(oggetto_cella::inizio_rallentamento)) {
        aperto = true;
        inizio = metro;
      } else if (celle[i].is(oggetto_cella::fine_rallentamento) && aperto) {
        aperto = false;
        const double a = std::max(inizio, pl_.first());
        const double b = std::min(metro, pl_.last());
        if (b <= a) continue;
        pl_.path(a, std::max(a + 1.0, b));
        c_.stroke();
      }
    }
  }

  void line() {
    c_.colour(line_colour);
    c_.line_width(2.0);
    pl_.path(pl_.first(), std::min(route_end_, pl_.last()));
    c_.stroke();
    if (route_end_ < pl_.last()) {
      c_.colour(beyond_colour);
      c_.line_width(1.5);
      c_.dash(4.0);
      pl_.path(std::max(route_end_, pl_.first()), pl_.last());
      c_.stroke();
      c_.dash(0);
    }
    pl_.each_point(pl_.first(), pl_.last(), 3.0,
                   [&](double x, double y) { placer_.avoid_point(x, y); });
  }

  void km_ticks() {
    const double px_per_km = 1000.0 * pl_.scale();
    if (px_per_km <= 0.0) return;
    const double label_km = round_step(50.0 / px_per_km, 1.0);
    const double tick_km = px_per_km >= 4.0 ? 1.0 : label_km;
    c_.colour(line_colour);
    c_.line_width(1.0);
    const double first_km = std::ceil(pl_.first() / 1000.0 / tick_km) * tick_km;
    for (double km = std::max(first_km, tick_km); km * 1000.0 <= pl_.last();
         km += tick_km) {
      const auto [x, y, nx, ny] = where(km * 1000.0);
      c_.move_to(x - 4 * nx, y - 4 * ny);
      c_.line_to(x + 4 * nx, y + 4 * ny);
      c_.stroke();
      if (std::fmod(km, label_km) == 0.0) {
        requests_.push_back({std::to_string(static_cast<long long>(km)),
                             km * 1000.0, 9.0, line_colour, false, 1});
      }
    }
  }

  void markers() {
    const std::vector<cella>& celle = *in_.celle;
    for (std::size_t i = 0; i < celle.size(); ++i) {
      const cella& k = celle[i];
      const double metro = static_cast<double>(metro_della_cella(i));
      if (!holds(metro)) continue;
      switch (static_cast<oggetto_cella>(k.oggetto)) {
        case oggetto_cella::segnale:
          mark(mark_kind::segnale, metro);
          break;
        case oggetto_cella::avviso_rallentamento:
          mark(mark_kind::avviso_rallentamento, metro);
          break;
        case oggetto_cella::abbattimento:
        case oggetto_cella::abbattimento_senza_velocita:
          mark(mark_kind::punto_velocita, metro);
          break;
        case oggetto_cella::indicatore_v_max:
          mark(mark_kind::cartello_velocita, metro);
          requests_.push_back(
              {speed_board_text(k), metro, 9.0, board_colour, true, 1});
          break;
        case oggetto_cella::cartello_indicatore: {
          mark(mark_kind::cartello_indicatore, metro);
          std::string text = "?";
          if (k.valore_1 > 0 && k.valore_1 < numero_stazioni && in_.stazioni) {
            text = indication_text(
                (*in_.stazioni)[static_cast<std::size_t>(k.valore_1)].nome);
          }
          requests_.push_back({text, metro, 8.5, indication_colour, false, -1});
          break;
        }
        default:
          break;
      }
    }
  }

  void stations() {
    for (int i = 1; i <= stazione_primo_cartello; ++i) {
      const stazione& s = (*in_.stazioni)[static_cast<std::size_t>(i)];
      if (!is_station(s) || !holds(s.progressiva)) continue;
      mark(mark_kind::stazione, s.progressiva);
      // Stations first: of all the labels they are the ones to keep.
      requests_.insert(
          requests_.begin() + static_cast<std::ptrdiff_t>(stazioni_),
          {latin1_to_utf8(s.nome), static_cast<double>(s.progressiva), 10.0,
           station_colour, true, -1});
      ++stazioni_;
    }
  }

  void labels(plan_layout* layout) {
    for (const label_request& r : requests_) {
      const text_extent e = c_.measure(r.text, r.size, r.bold);
      const double w = e.width * svg_width_factor + 2 * label_padding;
      const double h = e.ascent + e.descent + 2 * label_padding;
      const auto [x, y, nx, ny] = where(r.metro);
      const auto p =
          placer_.place(r.text, x, y, w, h, r.side * nx, r.side * ny);
      if (!p) {
        layout->left_out.push_back(r.text);
        continue;
      }
      layout->labels.push_back(*p);
      placed_requests_.push_back(r);
    }
    // Leaders under the labels, the labels' ground under their text.
    c_.colour(leader_colour);
    c_.line_width(0.7);
    for (const placed_label& p : layout->labels) {
      if (!p.leader) continue;
      c_.move_to(p.anchor_x, p.anchor_y);
      const auto [ex, ey] = leader_end(p.anchor_x, p.anchor_y, p.box);
      c_.line_to(ex, ey);
    }
    c_.stroke();
    for (std::size_t i = 0; i < layout->labels.size(); ++i) {
      const placed_label& p = layout->labels[i];
      const label_request& r = placed_requests_[i];
      c_.colour({1, 1, 1}, 0.8);
      c_.rectangle(p.box.x0, p.box.y0, p.box.x1 - p.box.x0,
                   p.box.y1 - p.box.y0);
      c_.fill();
      const text_extent e = c_.measure(r.text, r.size, r.bold);
      c_.colour(r.colour);
      c_.text((p.box.x0 + p.box.x1) / 2, p.box.y1 - label_padding - e.descent,
              r.text, r.size, text_anchor::middle, r.bold);
    }
  }

 private:
  struct place {
    double x, y, nx, ny;
  };
  place where(double metro) const {
    const line_point p = pl_.at(metro);
    double nx = 0, ny = 0;
    pl_.normal(metro, &nx, &ny);
    return {pl_.px(p), pl_.py(p), nx, ny};
  }

  void mark(mark_kind kind, double metro) {
    const auto [x, y, nx, ny] = where(metro);
    draw_mark(c_, kind, x, y);
    placer_.avoid({x - 5, y - 5, x + 5, y + 5});
  }

  canvas& c_;
  const plot_input& in_;
  const plan& pl_;
  double route_end_;
  label_placer placer_;
  std::vector<label_request> requests_;
  std::size_t stazioni_ = 0;
  std::vector<label_request> placed_requests_;
};

std::string metres_or_km(double m) {
  if (std::fmod(m, 1000.0) == 0.0) {
    return std::to_string(static_cast<long long>(m / 1000.0)) + " km";
  }
  return std::to_string(static_cast<long long>(m)) + " m";
}

}  // namespace

plan_stretch drawn_stretch(const plot_input& in, double first, double last) {
  plan_stretch t;
  t.route_end = last;
  if (in.stazioni) {
    const std::int32_t lunghezza =
        (*in.stazioni)[stazione_testata_treno_linea].fine_area;
    if (lunghezza > 0 && lunghezza < last) t.route_end = lunghezza;
  }
  t.from = in.from >= 0 ? std::max(first, static_cast<double>(in.from)) : first;
  if (in.to >= 0) {
    t.to = std::min(last, static_cast<double>(in.to));
  } else {
    t.to = in.margin ? last : t.route_end;
  }
  return t;
}

void draw_page(canvas& c, const plot_input& in,
               const std::vector<line_point>& points, double width,
               double height, plan_layout* layout) {
  double min_x = points.front().x, max_x = min_x;
  double min_y = points.front().y, max_y = min_y;
  for (const line_point& p : points) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  // Room around the line for the labels that stand beside it.
  const double room = 40.0;
  const page_transform tr =
      fit(min_x, min_y, max_x, max_y, page_margin + room, title_band + room,
          width - 2 * (page_margin + room),
          height - title_band - legend_band - 2 * room);
  const plan pl(c, points, tr);
  const double route_end =
      drawn_stretch(in, points.front().metro, points.back().metro).route_end;

  c.colour({1, 1, 1});
  c.rectangle(0, 0, width, height);
  c.fill();

  if (layout != nullptr) {
    const double length = pl.last() - pl.first();
    const auto n = static_cast<std::size_t>(
        std::clamp(length / passo_cella + 1.0, 2.0,
                   static_cast<double>(max_route_points)));
    for (std::size_t i = 0; i < n; ++i) {
      const line_point p = pl.at(pl.first() + length * static_cast<double>(i) /
                                                  static_cast<double>(n - 1));
      layout->percorso.push_back({p.metro, pl.px(p), pl.py(p)});
    }
  }

  plan_page page(c, in, pl, route_end, width, height);
  if (in.celle) page.slowdowns();
  page.line();
  page.km_ticks();
  if (in.celle) page.markers();
  if (in.stazioni) page.stations();
  page.labels(layout);

  c.colour(line_colour);
  std::string title = in.title + ": plan view, ";
  const bool whole = in.from < 0 && in.to < 0;
  if (whole) {
    title += std::to_string(static_cast<long long>(route_end)) + " m";
  } else {
    title += metres_or_km(pl.first()) + " to " + metres_or_km(pl.last());
  }
  if (route_end < pl.last())
    title += " (after the route's end the row's margin, dashed)";
  c.text(page_margin, title_band / 2 + 6, title, 13.0, text_anchor::start);
  if (!layout->left_out.empty()) {
    c.colour(beyond_colour);
    c.text(width - page_margin, title_band / 2 + 6,
           std::to_string(layout->left_out.size()) +
               " labels left out for room: draw a stretch with --from/--to",
           9.0, text_anchor::end);
  }

  std::vector<legend_entry> entries = {
      line_entry("track", line_colour, 2.0),
  };
  if (route_end < pl.last()) {
    entries.push_back(line_entry("row's margin", beyond_colour, 1.5, 1.0, 4.0));
  }
  entries.push_back({"km tick", [](canvas& k, double x, double y) {
                       k.colour(line_colour);
                       k.line_width(1.0);
                       k.move_to(x, y);
                       k.line_to(x + 20, y);
                       k.move_to(x + 10, y - 4);
                       k.line_to(x + 10, y + 4);
                       k.stroke();
                     }});
  if (in.stazioni) entries.push_back(mark_entry(mark_kind::stazione));
  if (in.celle) {
    entries.push_back(mark_entry(mark_kind::segnale));
    entries.push_back(line_entry("slowdown", slowdown_colour, 7.0, 0.55));
    entries.push_back(mark_entry(mark_kind::avviso_rallentamento));
    entries.push_back(mark_entry(mark_kind::punto_velocita));
    entries.push_back(mark_entry(mark_kind::cartello_velocita));
    entries.push_back(mark_entry(mark_kind::cartello_indicatore));
  }
  entries.push_back({"leader to a label", [](canvas& k, double x, double y) {
                       k.colour(leader_colour);
                       k.line_width(0.7);
                       k.move_to(x, y);
                       k.line_to(x + 20, y);
                       k.stroke();
                     }});
  draw_legend(c, entries, width, height, tr.scale);
}

}  // namespace compattatore::tool
