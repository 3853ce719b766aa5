#include "tool/plot_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/scenario.h"
#include "tool/latin1.h"
#include "tool/plot_legend.h"
#include "tool/plot_page.h"
#include "tool/plot_style.h"

namespace compattatore::tool {
namespace {

void draw_km_ticks(cairo_t* cr, const plan& pl, double fine) {
  const double px_per_km = 1000.0 * pl.scale();
  if (px_per_km <= 0.0) return;
  const double label_km = passo_tondo(50.0 / px_per_km, 1.0);
  const double tick_km = px_per_km >= 4.0 ? 1.0 : label_km;
  use_colour(cr, colore_linea);
  cairo_set_line_width(cr, 1.0);
  for (double km = tick_km; km * 1000.0 <= fine; km += tick_km) {
    const punto p = pl.at(km * 1000.0);
    double nx = 0, ny = 0;
    pl.normal(km * 1000.0, &nx, &ny);
    cairo_move_to(cr, pl.px(p) - 4 * nx, pl.py(p) - 4 * ny);
    cairo_line_to(cr, pl.px(p) + 4 * nx, pl.py(p) + 4 * ny);
    cairo_stroke(cr);
    if (std::fmod(km, label_km) == 0.0) {
      text_at(cr, pl.px(p) + 12 * nx, pl.py(p) + 12 * ny,
              std::to_string(static_cast<long long>(km)), 9.0, true);
    }
  }
}

// Slowdowns as bands from start to end, to go under the line.
void draw_slowdowns(cairo_t* cr, const plan& pl,
                    const std::vector<cella>& celle) {
  use_colour(cr, colore_rallentamento, 0.55);
  cairo_set_line_width(cr, 7.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  bool aperto = false;
  double inizio = 0.0;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const double metro = static_cast<double>(metro_della_cella(c));
    if (celle[c].is(oggetto_cella::inizio_rallentamento)) {
      aperto = true;
      inizio = metro;
    } else if (celle[c].is(oggetto_cella::fine_rallentamento) && aperto) {
      pl.path(inizio, std::max(inizio + 1.0, metro));
      cairo_stroke(cr);
      aperto = false;
    }
  }
}

// Signals, slowdown warnings and boards, over the line.
void draw_markers(cairo_t* cr, const plan& pl,
                  const std::vector<cella>& celle) {
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const cella& k = celle[c];
    const punto p = pl.at(static_cast<double>(metro_della_cella(c)));
    if (k.is(oggetto_cella::segnale)) {
      use_colour(cr, colore_segnale);
      dot(cr, pl.px(p), pl.py(p), 3.0);
    } else if (k.is(oggetto_cella::avviso_rallentamento)) {
      use_colour(cr, colore_rallentamento);
      dot(cr, pl.px(p), pl.py(p), 2.5);
    } else if (k.is(oggetto_cella::indicatore_v_max) ||
               k.is(oggetto_cella::cartello_indicatore)) {
      use_colour(cr, colore_cartello);
      square(cr, pl.px(p), pl.py(p), 2.5);
    }
  }
}

// Entries from 1 upward hold stations; an entry with numbers is one (the
// boards from entry 80 downward hold a name only).
void draw_stations(cairo_t* cr, const plan& pl,
                   const std::array<stazione, numero_stazioni>& stazioni) {
  for (int i = 1; i <= stazione_primo_cartello; ++i) {
    const stazione& s = stazioni[static_cast<std::size_t>(i)];
    stazione numbers = s;
    numbers.nome.clear();
    if (numbers == stazione{}) continue;
    const punto p = pl.at(s.progressiva);
    use_colour(cr, colore_stazione);
    dot(cr, pl.px(p), pl.py(p), 4.0);
    double nx = 0, ny = 0;
    pl.normal(s.progressiva, &nx, &ny);
    cairo_set_font_size(cr, 10.0);
    // Names are Latin-1 bytes; cairo takes UTF-8 and refuses the whole
    // drawing otherwise.
    const std::string nome = latin1_to_utf8(s.nome);
    cairo_text_extents_t e;
    cairo_text_extents(cr, nome.c_str(), &e);
    // On the side away from the kilometre labels, reaching away from the
    // line.
    const double tx = pl.px(p) - 10 * nx;
    const double ty = pl.py(p) - 10 * ny;
    cairo_move_to(cr, nx > 0 ? tx - e.x_advance : tx,
                  ty - e.y_bearing - e.height / 2);
    cairo_show_text(cr, nome.c_str());
  }
}

}  // namespace

void draw_page(cairo_t* cr, const plot_input& in,
               const std::vector<punto>& punti, double width, double height) {
  double min_x = punti.front().x, max_x = min_x;
  double min_y = punti.front().y, max_y = min_y;
  for (const punto& p : punti) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  const page_transform tr =
      fit(min_x, min_y, max_x, max_y, margine, banda_titolo,
          width - 2 * margine, height - banda_titolo - banda_legenda);
  const plan pl(cr, punti, tr);

  // The route ends where the station table says; the line runs on beyond
  // it, drawn lighter.
  double fine = pl.last();
  if (in.stazioni) {
    const std::int32_t lunghezza =
        (*in.stazioni)[stazione_testata_treno_linea].fine_area;
    if (lunghezza > 0 && lunghezza < fine) fine = lunghezza;
  }

  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  if (in.celle) draw_slowdowns(cr, pl, *in.celle);
  use_colour(cr, colore_linea);
  cairo_set_line_width(cr, 2.0);
  pl.path(pl.first(), fine);
  cairo_stroke(cr);
  if (fine < pl.last()) {
    use_colour(cr, colore_oltre);
    cairo_set_line_width(cr, 1.5);
    const double dash = 4.0;
    cairo_set_dash(cr, &dash, 1, 0);
    pl.path(fine, pl.last());
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  draw_km_ticks(cr, pl, fine);
  if (in.celle) draw_markers(cr, pl, *in.celle);
  if (in.stazioni) draw_stations(cr, pl, *in.stazioni);

  use_colour(cr, colore_linea);
  std::string title = in.title + ": plan view, " +
                      std::to_string(static_cast<long long>(fine)) + " m";
  if (fine < pl.last()) title += " (then the row's margin, dashed)";
  text_at(cr, margine, banda_titolo / 2 + 6, title, 13.0, false);
  draw_legend(cr, width, height, in.celle != nullptr, in.stazioni != nullptr,
              tr.scale);
}

}  // namespace compattatore::tool
