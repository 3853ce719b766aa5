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
constexpr double bordo_etichetta = 2.0;
constexpr double margine_svg = 1.08;

struct richiesta {
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
  plan_page(canvas& c, const plot_input& in, const plan& pl, double fine,
            double width, double height)
      : c_(c),
        in_(in),
        pl_(pl),
        fine_(fine),
        placer_(
            {margine, banda_titolo, width - margine, height - banda_legenda}) {}

  bool holds(double metro) const {
    return metro >= pl_.first() && metro <= pl_.last();
  }

  void slowdowns() {
    const std::vector<cella>& celle = *in_.celle;
    c_.colour(colore_rallentamento, 0.55);
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
    c_.colour(colore_linea);
    c_.line_width(2.0);
    pl_.path(pl_.first(), std::min(fine_, pl_.last()));
    c_.stroke();
    if (fine_ < pl_.last()) {
      c_.colour(colore_oltre);
      c_.line_width(1.5);
      c_.dash(4.0);
      pl_.path(std::max(fine_, pl_.first()), pl_.last());
      c_.stroke();
      c_.dash(0);
    }
    pl_.each_point(pl_.first(), pl_.last(), 3.0,
                   [&](double x, double y) { placer_.avoid_point(x, y); });
  }

  void km_ticks() {
    const double px_per_km = 1000.0 * pl_.scale();
    if (px_per_km <= 0.0) return;
    const double label_km = passo_tondo(50.0 / px_per_km, 1.0);
    const double tick_km = px_per_km >= 4.0 ? 1.0 : label_km;
    c_.colour(colore_linea);
    c_.line_width(1.0);
    const double first_km = std::ceil(pl_.first() / 1000.0 / tick_km) * tick_km;
    for (double km = std::max(first_km, tick_km); km * 1000.0 <= pl_.last();
         km += tick_km) {
      const auto [x, y, nx, ny] = where(km * 1000.0);
      c_.move_to(x - 4 * nx, y - 4 * ny);
      c_.line_to(x + 4 * nx, y + 4 * ny);
      c_.stroke();
      if (std::fmod(km, label_km) == 0.0) {
        richieste_.push_back({std::to_string(static_cast<long long>(km)),
                              km * 1000.0, 9.0, colore_linea, false, 1});
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
          mark(segno::segnale, metro);
          break;
        case oggetto_cella::avviso_rallentamento:
          mark(segno::avviso_rallentamento, metro);
          break;
        case oggetto_cella::abbattimento:
        case oggetto_cella::abbattimento_senza_velocita:
          mark(segno::punto_velocita, metro);
          break;
        case oggetto_cella::indicatore_v_max:
          mark(segno::cartello_velocita, metro);
          richieste_.push_back({testo_cartello_velocita(k), metro, 9.0,
                                colore_cartello, true, 1});
          break;
        case oggetto_cella::cartello_indicatore: {
          mark(segno::cartello_indicatore, metro);
          std::string text = "?";
          if (k.valore_1 > 0 && k.valore_1 < numero_stazioni && in_.stazioni) {
            text = testo_indicazione(
                (*in_.stazioni)[static_cast<std::size_t>(k.valore_1)].nome);
          }
          richieste_.push_back(
              {text, metro, 8.5, colore_indicazione, false, -1});
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
      mark(segno::stazione, s.progressiva);
      // Stations first: of all the labels they are the ones to keep.
      richieste_.insert(
          richieste_.begin() + static_cast<std::ptrdiff_t>(stazioni_),
          {latin1_to_utf8(s.nome), static_cast<double>(s.progressiva), 10.0,
           colore_stazione, true, -1});
      ++stazioni_;
    }
  }

  void labels(plan_layout* layout) {
    for (const richiesta& r : richieste_) {
      const text_extent e = c_.measure(r.text, r.size, r.bold);
      const double w = e.width * margine_svg + 2 * bordo_etichetta;
      const double h = e.ascent + e.descent + 2 * bordo_etichetta;
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
    c_.colour(colore_leader);
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
      const richiesta& r = placed_requests_[i];
      c_.colour({1, 1, 1}, 0.8);
      c_.rectangle(p.box.x0, p.box.y0, p.box.x1 - p.box.x0,
                   p.box.y1 - p.box.y0);
      c_.fill();
      const text_extent e = c_.measure(r.text, r.size, r.bold);
      c_.colour(r.colour);
      c_.text((p.box.x0 + p.box.x1) / 2, p.box.y1 - bordo_etichetta - e.descent,
              r.text, r.size, text_anchor::middle, r.bold);
    }
  }

 private:
  struct posto {
    double x, y, nx, ny;
  };
  posto where(double metro) const {
    const punto p = pl_.at(metro);
    double nx = 0, ny = 0;
    pl_.normal(metro, &nx, &ny);
    return {pl_.px(p), pl_.py(p), nx, ny};
  }

  void mark(segno kind, double metro) {
    const auto [x, y, nx, ny] = where(metro);
    draw_mark(c_, kind, x, y);
    placer_.avoid({x - 5, y - 5, x + 5, y + 5});
  }

  canvas& c_;
  const plot_input& in_;
  const plan& pl_;
  double fine_;
  label_placer placer_;
  std::vector<richiesta> richieste_;
  std::size_t stazioni_ = 0;
  std::vector<richiesta> placed_requests_;
};

std::string metri_o_km(double m) {
  if (std::fmod(m, 1000.0) == 0.0) {
    return std::to_string(static_cast<long long>(m / 1000.0)) + " km";
  }
  return std::to_string(static_cast<long long>(m)) + " m";
}

}  // namespace

tratto tratto_disegnato(const plot_input& in, double first, double last) {
  tratto t;
  t.fine = last;
  if (in.stazioni) {
    const std::int32_t lunghezza =
        (*in.stazioni)[stazione_testata_treno_linea].fine_area;
    if (lunghezza > 0 && lunghezza < last) t.fine = lunghezza;
  }
  t.da = in.from >= 0 ? std::max(first, static_cast<double>(in.from)) : first;
  if (in.to >= 0) {
    t.a = std::min(last, static_cast<double>(in.to));
  } else {
    t.a = in.margin ? last : t.fine;
  }
  return t;
}

void draw_page(canvas& c, const plot_input& in, const std::vector<punto>& punti,
               double width, double height, plan_layout* layout) {
  double min_x = punti.front().x, max_x = min_x;
  double min_y = punti.front().y, max_y = min_y;
  for (const punto& p : punti) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  // Room around the line for the labels that stand beside it.
  const double room = 40.0;
  const page_transform tr =
      fit(min_x, min_y, max_x, max_y, margine + room, banda_titolo + room,
          width - 2 * (margine + room),
          height - banda_titolo - banda_legenda - 2 * room);
  const plan pl(c, punti, tr);
  const double fine =
      tratto_disegnato(in, punti.front().metro, punti.back().metro).fine;

  c.colour({1, 1, 1});
  c.rectangle(0, 0, width, height);
  c.fill();

  if (layout != nullptr) {
    const double tratto = pl.last() - pl.first();
    const auto n = static_cast<std::size_t>(std::clamp(
        tratto / passo_cella + 1.0, 2.0, static_cast<double>(punti_percorso)));
    for (std::size_t i = 0; i < n; ++i) {
      const punto p = pl.at(pl.first() + tratto * static_cast<double>(i) /
                                             static_cast<double>(n - 1));
      layout->percorso.push_back({p.metro, pl.px(p), pl.py(p)});
    }
  }

  plan_page page(c, in, pl, fine, width, height);
  if (in.celle) page.slowdowns();
  page.line();
  page.km_ticks();
  if (in.celle) page.markers();
  if (in.stazioni) page.stations();
  page.labels(layout);

  c.colour(colore_linea);
  std::string title = in.title + ": plan view, ";
  const bool whole = in.from < 0 && in.to < 0;
  if (whole) {
    title += std::to_string(static_cast<long long>(fine)) + " m";
  } else {
    title += metri_o_km(pl.first()) + " to " + metri_o_km(pl.last());
  }
  if (fine < pl.last())
    title += " (after the route's end the row's margin, dashed)";
  c.text(margine, banda_titolo / 2 + 6, title, 13.0, text_anchor::start);
  if (!layout->left_out.empty()) {
    c.colour(colore_oltre);
    c.text(width - margine, banda_titolo / 2 + 6,
           std::to_string(layout->left_out.size()) +
               " labels left out for room: draw a stretch with --from/--to",
           9.0, text_anchor::end);
  }

  std::vector<voce_legenda> voci = {
      voce_linea("track", colore_linea, 2.0),
  };
  if (fine < pl.last()) {
    voci.push_back(voce_linea("row's margin", colore_oltre, 1.5, 1.0, 4.0));
  }
  voci.push_back({"km tick", [](canvas& k, double x, double y) {
                    k.colour(colore_linea);
                    k.line_width(1.0);
                    k.move_to(x, y);
                    k.line_to(x + 20, y);
                    k.move_to(x + 10, y - 4);
                    k.line_to(x + 10, y + 4);
                    k.stroke();
                  }});
  if (in.stazioni) voci.push_back(voce_segno(segno::stazione));
  if (in.celle) {
    voci.push_back(voce_segno(segno::segnale));
    voci.push_back(voce_linea("slowdown", colore_rallentamento, 7.0, 0.55));
    voci.push_back(voce_segno(segno::avviso_rallentamento));
    voci.push_back(voce_segno(segno::punto_velocita));
    voci.push_back(voce_segno(segno::cartello_velocita));
    voci.push_back(voce_segno(segno::cartello_indicatore));
  }
  voci.push_back({"leader to a label", [](canvas& k, double x, double y) {
                    k.colour(colore_leader);
                    k.line_width(0.7);
                    k.move_to(x, y);
                    k.line_to(x + 20, y);
                    k.stroke();
                  }});
  draw_legend(c, voci, width, height, tr.scale);
}

}  // namespace compattatore::tool
