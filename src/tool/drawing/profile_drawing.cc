#include "tool/drawing/profile_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "tool/drawing/plot_canvas.h"
#include "tool/drawing/plot_labels.h"
#include "tool/drawing/plot_legend.h"
#include "tool/drawing/plot_page.h"
#include "tool/drawing/plot_style.h"
#include "tool/drawing/plot_texts.h"

namespace compattatore::tool {
namespace {

constexpr double colonna_sinistra = 56.0;  // left axis labels
constexpr double colonna_destra = 48.0;    // the elevation's axis
constexpr double banda_km = 26.0;          // kilometre labels
constexpr double spazio_bande = 10.0;
constexpr double bordo_etichetta = 2.0;
constexpr double margine_svg = 1.08;

const rgb colore_limite{0.1, 0.15, 0.55};
const rgb colore_quota{0.35, 0.2, 0.05};

double metri(std::int64_t m) { return static_cast<double>(m); }

struct banda {
  std::string nome;
  double top = 0;
  double bottom = 0;
  double lo = 0;  // value at the bottom
  double hi = 1;  // value at the top
  double y(double v) const {
    if (hi == lo) return bottom;
    return bottom - (v - lo) / (hi - lo) * (bottom - top);
  }
};

class profile_page {
 public:
  profile_page(canvas& c, const profile_input& in, profile_layout* out,
               double width, double height)
      : c_(c),
        in_(in),
        out_(out),
        p_(out->dati),
        left_(margine + colonna_sinistra),
        right_(width - margine - colonna_destra),
        width_(width),
        height_(height) {}

  double x(double metro) const {
    return left_ + (metro - da_) / (a_ - da_) * (right_ - left_);
  }
  bool holds(double metro) const { return metro >= da_ && metro <= a_; }

  void draw() {
    da_ = static_cast<double>(out_->from);
    a_ = static_cast<double>(out_->to);
    c_.colour({1, 1, 1});
    c_.rectangle(0, 0, width_, height_);
    c_.fill();

    // Band heights, top to bottom, as parts of the room.
    const std::pair<const char*, double> parti[] = {
        {"speed, km/h", 0.33},
        {"signals", 0.12},
        {"stations", 0.15},
        {"gradient, per mille; elevation, m", 0.28},
        {"adhesion", 0.12}};
    const double top = banda_titolo;
    const double bottom = height_ - banda_legenda - banda_km;
    const double room = bottom - top - spazio_bande * 4;
    double y = top;
    for (const auto& [nome, parte] : parti) {
      banda b;
      b.nome = nome;
      b.top = y;
      b.bottom = y + room * parte;
      bande_.push_back(b);
      y = b.bottom + spazio_bande;
    }
    out_->x_from = left_;
    out_->x_to = right_;
    out_->top = top;
    out_->bottom = bottom;
    km_grid(top, bottom);
    speeds(bande_[0]);
    signals(bande_[1]);
    stations(bande_[2]);
    gradient(bande_[3]);
    adhesion(bande_[4]);
    for (const banda& b : bande_) frame(b);
    title();
    legend();
  }

 private:
  void frame(const banda& b) {
    c_.colour(colore_oltre);
    c_.line_width(0.8);
    c_.rectangle(left_, b.top, right_ - left_, b.bottom - b.top);
    c_.stroke();
    c_.colour(colore_linea);
    c_.text(left_ + 4, b.top + 11, b.nome, 9.5, text_anchor::start, true);
  }

  // Value ticks and grid lines of a numeric band, on the left axis.
  void value_axis(const banda& b, double step, const std::string& unit) {
    c_.line_width(0.6);
    for (double v = std::ceil(b.lo / step) * step; v <= b.hi + 1e-9;
         v += step) {
      c_.colour(colore_griglia);
      c_.move_to(left_, b.y(v));
      c_.line_to(right_, b.y(v));
      c_.stroke();
      c_.colour(colore_linea);
      c_.text(left_ - 4, b.y(v) + 3, number(v) + unit, 8.5, text_anchor::end);
    }
  }

  static std::string number(double v) {
    return std::to_string(static_cast<long long>(std::lround(v)));
  }

  void km_grid(double top, double bottom) {
    const double px_per_km = 1000.0 * (right_ - left_) / (a_ - da_);
    const double label_km = passo_tondo(60.0 / px_per_km, 1.0);
    const double tick_km = passo_tondo(12.0 / px_per_km, 1.0);
    c_.line_width(0.6);
    for (double km = std::ceil(da_ / 1000.0 / tick_km) * tick_km;
         km * 1000.0 <= a_ + 1e-6; km += tick_km) {
      const double px = x(km * 1000.0);
      const bool labelled = std::fmod(km + 1e-9, label_km) < 1e-6;
      c_.colour(labelled ? colore_griglia : rgb{0.95, 0.95, 0.95});
      c_.move_to(px, top);
      c_.line_to(px, bottom);
      c_.stroke();
      if (labelled) {
        c_.colour(colore_linea);
        c_.text(px, bottom + 14, km_text(km), 9.0, text_anchor::middle);
      }
    }
    c_.colour(colore_linea);
    c_.text(right_ + colonna_destra, bottom + 14, "km", 9.0, text_anchor::end);
  }

  static std::string km_text(double km) {
    if (km == std::floor(km)) return number(km);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", km);
    return buf;
  }

  // A step series as a line over the stretch.
  void steps(const std::vector<gradino>& serie, const banda& b) {
    double v = valore_a(serie, static_cast<std::int64_t>(da_));
    c_.move_to(x(da_), b.y(v));
    for (const gradino& g : serie) {
      if (metri(g.da) <= da_) continue;
      if (metri(g.da) >= a_) break;
      c_.line_to(x(metri(g.da)), b.y(v));
      v = g.valore;
      c_.line_to(x(metri(g.da)), b.y(v));
    }
    c_.line_to(x(a_), b.y(v));
  }

  double max_in_stretch(const std::vector<gradino>& serie) const {
    double m = valore_a(serie, static_cast<std::int64_t>(da_));
    for (const gradino& g : serie) {
      if (metri(g.da) > da_ && metri(g.da) < a_) m = std::max(m, g.valore);
    }
    return m;
  }

  // A label over the marks would hide them: it is left out instead.
  label_placer placer_for(const banda& b, bool may_cover) const {
    return label_placer({left_, b.top + 14, right_, b.bottom}, may_cover);
  }

  void label(label_placer& placer, const std::string& text, double px,
             double py, double size, rgb colour, bool bold, double dy) {
    const text_extent e = c_.measure(text, size, bold);
    const double w = e.width * margine_svg + 2 * bordo_etichetta;
    const double h = e.ascent + e.descent + 2 * bordo_etichetta;
    const auto placed = placer.place(text, px, py, w, h, 0, dy);
    if (!placed) {
      out_->left_out.push_back(text);
      return;
    }
    out_->labels.push_back(*placed);
    const placed_label& p = *placed;
    if (p.leader) {
      c_.colour(colore_leader);
      c_.line_width(0.6);
      c_.move_to(p.anchor_x, p.anchor_y);
      const auto [ex, ey] = leader_end(p.anchor_x, p.anchor_y, p.box);
      c_.line_to(ex, ey);
      c_.stroke();
    }
    c_.colour({1, 1, 1}, 0.8);
    c_.rectangle(p.box.x0, p.box.y0, p.box.x1 - p.box.x0, p.box.y1 - p.box.y0);
    c_.fill();
    c_.colour(colour);
    c_.text((p.box.x0 + p.box.x1) / 2, p.box.y1 - bordo_etichetta - e.descent,
            text, size, text_anchor::middle, bold);
  }

  void speeds(banda& b) {
    double top = max_in_stretch(p_.velocita_linea);
    for (const punto_profilo& q : p_.punti) {
      if (holds(static_cast<double>(q.metro))) {
        top = std::max<double>(top, q.velocita);
      }
    }
    const double step = passo_tondo(std::max(top, 10.0) / 5, 10.0);
    b.lo = 0;
    b.hi = std::ceil((std::max(top, 10.0) * 1.12 + 14) / step) * step;
    value_axis(b, step, "");
    label_placer placer = placer_for(b, false);
    for (const rallentamento_profilo& r : p_.rallentamenti) {
      const double a = std::max(static_cast<double>(r.inizio), da_);
      const double z = std::min(static_cast<double>(r.fine), a_);
      if (z > a) {
        c_.colour(colore_rallentamento, 0.3);
        c_.rectangle(x(a), b.y(r.velocita), x(z) - x(a),
                     b.bottom - b.y(r.velocita));
        c_.fill();
      }
    }
    c_.colour(colore_oltre);
    c_.line_width(1.0);
    c_.dash(3.0);
    steps(p_.velocita_linea, b);
    c_.stroke();
    c_.dash(0);
    c_.colour(colore_limite);
    c_.line_width(2.0);
    steps(p_.limite, b);
    c_.stroke();
    for (const rallentamento_profilo& r : p_.rallentamenti) {
      const auto w = static_cast<double>(r.avviso);
      if (r.avviso >= 0 && holds(w)) {
        draw_mark(c_, segno::avviso_rallentamento, x(w), b.y(r.velocita));
        placer.avoid(
            {x(w) - 5, b.y(r.velocita) - 5, x(w) + 5, b.y(r.velocita) + 5});
      }
      const auto s = static_cast<double>(r.inizio);
      if (holds(s)) {
        label(placer,
              std::to_string(r.velocita) + " to km " +
                  km_text(static_cast<double>(r.fine) / 1000.0),
              x(s), b.y(r.velocita), 8.5, colore_rallentamento, true, -1);
      }
    }
    for (const cartello_profilo& k : p_.cartelli) {
      if (k.velocita == 0 || !holds(static_cast<double>(k.metro))) continue;
      const double v = k.velocita;
      draw_mark(c_, segno::cartello_velocita, x(static_cast<double>(k.metro)),
                b.y(v));
    }
    for (const punto_profilo& q : p_.punti) {
      const auto m = static_cast<double>(q.metro);
      if (!holds(m)) continue;
      draw_mark(c_,
                q.dal_passo ? segno::punto_del_passo : segno::punto_velocita,
                x(m), b.y(q.velocita) - 5);
    }
  }

  void signals(banda& b) {
    const double mid = (b.top + 14 + b.bottom) / 2;
    c_.colour(colore_griglia);
    c_.line_width(1.0);
    c_.move_to(left_, mid);
    c_.line_to(right_, mid);
    c_.stroke();
    label_placer placer = placer_for(b, false);
    for (const segnale_profilo& s : p_.segnali) {
      if (!holds(static_cast<double>(s.metro))) continue;
      const double px = x(static_cast<double>(s.metro));
      draw_mark(c_, segno::segnale, px, mid);
      placer.avoid({px - 4, mid - 4, px + 4, mid + 4});
    }
    for (const segnale_profilo& s : p_.segnali) {
      if (!holds(static_cast<double>(s.metro))) continue;
      label(placer, testo_segnale(s.celle), x(static_cast<double>(s.metro)),
            mid, 7.5, colore_segnale, false, -1);
    }
  }

  void stations(banda& b) {
    const double mid = b.top + 14 + (b.bottom - b.top - 14) * 0.35;
    label_placer placer = placer_for(b, false);
    for (const stazione_profilo& s : p_.stazioni) {
      const double a = std::max(static_cast<double>(s.inizio_area), da_);
      const double z = std::min(static_cast<double>(s.fine_area), a_);
      if (z > a) {
        c_.colour(colore_stazione, 0.25);
        c_.rectangle(x(a), mid - 4, x(z) - x(a), 8);
        c_.fill();
      }
      if (s.fermata >= 0 && holds(static_cast<double>(s.fermata))) {
        draw_mark(c_, segno::fermata, x(static_cast<double>(s.fermata)), mid);
      }
      if (holds(static_cast<double>(s.progressiva))) {
        const double px = x(static_cast<double>(s.progressiva));
        draw_mark(c_, segno::stazione, px, mid);
        placer.avoid({px - 5, mid - 6, px + 5, mid + 6});
      }
    }
    for (const stazione_profilo& s : p_.stazioni) {
      if (!holds(static_cast<double>(s.progressiva))) continue;
      std::string text = s.nome;
      const std::string ora = testo_orario(s.orario);
      if (!ora.empty()) text += " " + ora;
      label(placer, text, x(static_cast<double>(s.progressiva)), mid, 8.5,
            colore_stazione, true, 1);
    }
  }

  void gradient(banda& b) {
    double lo = 0, hi = 0;
    double v = valore_a(p_.pendenza, static_cast<std::int64_t>(da_));
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    for (const gradino& g : p_.pendenza) {
      if (metri(g.da) > da_ && metri(g.da) < a_) {
        lo = std::min(lo, g.valore);
        hi = std::max(hi, g.valore);
      }
    }
    const double step = passo_tondo(std::max(hi - lo, 1.0) / 4, 1.0);
    b.lo = std::floor(lo / step) * step - (lo < 0 ? step : 0);
    b.hi = std::ceil(hi / step) * step + step;
    value_axis(b, step, "");
    // Bars from zero.
    c_.colour(colore_pendenza, 0.35);
    v = valore_a(p_.pendenza, static_cast<std::int64_t>(da_));
    double from = da_;
    auto bar = [&](double to) {
      const double y0 = b.y(0), y1 = b.y(v);
      c_.rectangle(x(from), std::min(y0, y1), x(to) - x(from),
                   std::abs(y1 - y0));
      c_.fill();
    };
    for (const gradino& g : p_.pendenza) {
      if (metri(g.da) <= da_) continue;
      if (metri(g.da) >= a_) break;
      bar(metri(g.da));
      from = metri(g.da);
      v = g.valore;
    }
    bar(a_);
    c_.colour(colore_pendenza);
    c_.line_width(1.0);
    steps(p_.pendenza, b);
    c_.stroke();
    mountains(b);

    // The elevation, on its own scale at the right.
    double qlo = 1e300, qhi = -1e300;
    for (const gradino& q : p_.quota) {
      if (metri(q.da) < da_ || metri(q.da) > a_) continue;
      qlo = std::min(qlo, q.valore);
      qhi = std::max(qhi, q.valore);
    }
    if (qlo > qhi) return;
    const double qstep = passo_tondo(std::max(qhi - qlo, 1.0) / 4, 1.0);
    banda q = b;
    q.lo = std::floor(qlo / qstep) * qstep;
    q.hi = std::ceil(qhi / qstep) * qstep;
    if (q.hi == q.lo) q.hi = q.lo + qstep;
    c_.colour(colore_quota);
    for (double e = q.lo; e <= q.hi + 1e-9; e += qstep) {
      c_.text(right_ + 4, q.y(e) + 3, number(e) + " m", 8.5,
              text_anchor::start);
    }
    c_.line_width(1.6);
    bool first = true;
    for (const gradino& g : p_.quota) {
      if (metri(g.da) < da_ - passo_cella || metri(g.da) > a_ + passo_cella)
        continue;
      const double px = x(std::clamp(metri(g.da), da_, a_));
      if (first) {
        c_.move_to(px, q.y(g.valore));
      } else {
        c_.line_to(px, q.y(g.valore));
      }
      first = false;
    }
    c_.stroke();
  }

  // Mountain stretches as a strip along the band's foot, each with its
  // code above it where there is room.
  void mountains(const banda& b) {
    const double alto = 8.0;
    auto stretch = [&](double from, double to, double code) {
      if (code == 0 || to <= from) return;
      c_.colour(colore_montagna, 0.6);
      c_.rectangle(x(from), b.bottom - alto, x(to) - x(from), alto);
      c_.fill();
      if (x(to) - x(from) >= 10) {
        c_.colour(colore_montagna);
        c_.text((x(from) + x(to)) / 2, b.bottom - alto - 2, number(code), 8.0,
                text_anchor::middle, true);
      }
    };
    double from = da_;
    double code = valore_a(p_.montagna, static_cast<std::int64_t>(da_));
    for (const gradino& g : p_.montagna) {
      if (metri(g.da) <= da_) continue;
      if (metri(g.da) >= a_) break;
      stretch(from, metri(g.da), code);
      from = metri(g.da);
      code = g.valore;
    }
    stretch(from, a_, code);
  }

  void adhesion(banda& b) {
    const double top = std::max(max_in_stretch(p_.aderenza), 1.0);
    const double step = passo_tondo(top / 2, 1.0);
    b.lo = 0;
    b.hi = std::ceil(top * 1.25 / step) * step;
    value_axis(b, step, "");
    c_.colour(colore_aderenza);
    c_.line_width(1.6);
    steps(p_.aderenza, b);
    c_.stroke();
  }

  void title() {
    c_.colour(colore_linea);
    std::string t = in_.title + ": profiles, km " + km_text(da_ / 1000.0) +
                    " to " + km_text(a_ / 1000.0);
    c_.text(margine, banda_titolo / 2 + 6, t, 13.0, text_anchor::start);
    if (!out_->left_out.empty()) {
      c_.colour(colore_oltre);
      c_.text(width_ - margine, banda_titolo / 2 + 6,
              std::to_string(out_->left_out.size()) +
                  " labels left out for room: draw a stretch with --from/--to",
              9.0, text_anchor::end);
    }
  }

  void legend() {
    std::vector<voce_legenda> voci = {
        voce_linea("speed limit", colore_limite, 2.0),
        voce_linea("line speed", colore_oltre, 1.0, 1.0, 3.0),
        voce_linea("slowdown", colore_rallentamento, 8.0, 0.3),
        voce_segno(segno::avviso_rallentamento),
        voce_segno(segno::punto_velocita),
        voce_segno(segno::punto_del_passo),
        voce_segno(segno::cartello_velocita),
        voce_segno(segno::segnale),
        voce_segno(segno::stazione),
        voce_linea("station area", colore_stazione, 8.0, 0.25),
        voce_segno(segno::fermata),
        voce_linea("gradient", colore_pendenza, 8.0, 0.35),
        voce_linea("elevation", colore_quota, 1.6),
        voce_linea("mountain stretch", colore_montagna, 8.0, 0.6),
        voce_linea("adhesion", colore_aderenza, 1.6),
    };
    draw_legend(c_, voci, width_, height_, 0.0);
  }

  canvas& c_;
  const profile_input& in_;
  profile_layout* out_;
  const profilo& p_;
  double left_, right_, width_, height_;
  double da_ = 0, a_ = 1;
  std::vector<banda> bande_;
};

}  // namespace

bool draw_profile(const profile_input& in, plot_format format, int width,
                  int height, std::string* bytes, std::string* err,
                  profile_layout* layout) {
  if (in.celle == nullptr || in.celle->size() < 2 || in.stazioni == nullptr) {
    *err = "the cell row holds no cells: nothing to draw";
    return false;
  }
  profile_layout local;
  profile_layout& out = layout ? *layout : local;
  out = {};
  out.dati = profilo_di(*in.celle, *in.stazioni, in.prima_del_passo);
  out.from = in.from >= 0 ? in.from : 0;
  out.to = in.to >= 0 ? in.to : out.dati.fine_profilo;
  if (out.to <= out.from) {
    *err = "the stretch from " + std::to_string(out.from) + " m to " +
           std::to_string(out.to) + " m is empty: nothing to draw";
    return false;
  }
  return render_drawing(
      format, width, height,
      [&](canvas& c) {
        profile_page page(c, in, &out, width, height);
        page.draw();
      },
      bytes, err);
}

}  // namespace compattatore::tool
