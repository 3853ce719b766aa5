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

constexpr double left_column = 56.0;   // left axis labels
constexpr double right_column = 48.0;  // the elevation's axis
constexpr double km_band = 26.0;       // kilometre labels
constexpr double band_gap = 10.0;
constexpr double label_padding = 2.0;
constexpr double svg_width_factor = 1.08;

const rgb limit_colour{0.1, 0.15, 0.55};
const rgb elevation_colour{0.35, 0.2, 0.05};

double metri(std::int64_t m) { return static_cast<double>(m); }

struct band {
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
        p_(out->data),
        left_(page_margin + left_column),
        right_(width - page_margin - right_column),
        width_(width),
        height_(height) {}

  double x(double metro) const {
    return left_ + (metro - from_) / (to_ - from_) * (right_ - left_);
  }
  bool holds(double metro) const { return metro >= from_ && metro <= to_; }

  void draw() {
    from_ = static_cast<double>(out_->from);
    to_ = static_cast<double>(out_->to);
    c_.colour({1, 1, 1});
    c_.rectangle(0, 0, width_, height_);
    c_.fill();

    // Band heights, top to bottom, as parts of the room.
    const std::pair<const char*, double> parts[] = {
        {"speed, km/h", 0.33},
        {"signals", 0.12},
        {"stations", 0.15},
        {"gradient, per mille; elevation, m", 0.28},
        {"adhesion", 0.12}};
    const double top = title_band;
    const double bottom = height_ - legend_band - km_band;
    const double room = bottom - top - band_gap * 4;
    double y = top;
    for (const auto& [nome, part] : parts) {
      band b;
      b.nome = nome;
      b.top = y;
      b.bottom = y + room * part;
      bands_.push_back(b);
      y = b.bottom + band_gap;
    }
    out_->x_from = left_;
    out_->x_to = right_;
    out_->top = top;
    out_->bottom = bottom;
    km_grid(top, bottom);
    speeds(bands_[0]);
    signals(bands_[1]);
    stations(bands_[2]);
    gradient(bands_[3]);
    adhesion(bands_[4]);
    for (const band& b : bands_) frame(b);
    title();
    legend();
  }

 private:
  void frame(const band& b) {
    c_.colour(beyond_colour);
    c_.line_width(0.8);
    c_.rectangle(left_, b.top, right_ - left_, b.bottom - b.top);
    c_.stroke();
    c_.colour(line_colour);
    c_.text(left_ + 4, b.top + 11, b.nome, 9.5, text_anchor::start, true);
  }

  // Value ticks and grid lines of a numeric band, on the left axis.
  void value_axis(const band& b, double step, const std::string& unit) {
    c_.line_width(0.6);
    for (double v = std::ceil(b.lo / step) * step; v <= b.hi + 1e-9;
         v += step) {
      c_.colour(grid_colour);
      c_.move_to(left_, b.y(v));
      c_.line_to(right_, b.y(v));
      c_.stroke();
      c_.colour(line_colour);
      c_.text(left_ - 4, b.y(v) + 3, number(v) + unit, 8.5, text_anchor::end);
    }
  }

  static std::string number(double v) {
    return std::to_string(static_cast<long long>(std::lround(v)));
  }

  void km_grid(double top, double bottom) {
    const double px_per_km = 1000.0 * (right_ - left_) / (to_ - from_);
    const double label_km = round_step(60.0 / px_per_km, 1.0);
    const double tick_km = round_step(12.0 / px_per_km, 1.0);
    c_.line_width(0.6);
    for (double km = std::ceil(from_ / 1000.0 / tick_km) * tick_km;
         km * 1000.0 <= to_ + 1e-6; km += tick_km) {
      const double px = x(km * 1000.0);
      const bool labelled = std::fmod(km + 1e-9, label_km) < 1e-6;
      c_.colour(labelled ? grid_colour : rgb{0.95, 0.95, 0.95});
      c_.move_to(px, top);
      c_.line_to(px, bottom);
      c_.stroke();
      if (labelled) {
        c_.colour(line_colour);
        c_.text(px, bottom + 14, km_text(km), 9.0, text_anchor::middle);
      }
    }
    c_.colour(line_colour);
    c_.text(right_ + right_column, bottom + 14, "km", 9.0, text_anchor::end);
  }

  static std::string km_text(double km) {
    if (km == std::floor(km)) return number(km);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", km);
    return buf;
  }

  // A step series as a line over the stretch.
  void steps(const std::vector<value_step>& series, const band& b) {
    double v = value_at(series, static_cast<std::int64_t>(from_));
    c_.move_to(x(from_), b.y(v));
    for (const value_step& g : series) {
      if (metri(g.from) <= from_) continue;
      if (metri(g.from) >= to_) break;
      c_.line_to(x(metri(g.from)), b.y(v));
      v = g.value;
      c_.line_to(x(metri(g.from)), b.y(v));
    }
    c_.line_to(x(to_), b.y(v));
  }

  double max_in_stretch(const std::vector<value_step>& series) const {
    double m = value_at(series, static_cast<std::int64_t>(from_));
    for (const value_step& g : series) {
      if (metri(g.from) > from_ && metri(g.from) < to_)
        m = std::max(m, g.value);
    }
    return m;
  }

  // A label over the marks would hide them: it is left out instead.
  label_placer placer_for(const band& b, bool may_cover) const {
    return label_placer({left_, b.top + 14, right_, b.bottom}, may_cover);
  }

  void label(label_placer& placer, const std::string& text, double px,
             double py, double size, rgb colour, bool bold, double dy) {
    const text_extent e = c_.measure(text, size, bold);
    const double w = e.width * svg_width_factor + 2 * label_padding;
    const double h = e.ascent + e.descent + 2 * label_padding;
    const auto placed = placer.place(text, px, py, w, h, 0, dy);
    if (!placed) {
      out_->left_out.push_back(text);
      return;
    }
    out_->labels.push_back(*placed);
    const placed_label& p = *placed;
    if (p.leader) {
      c_.colour(leader_colour);
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
    c_.text((p.box.x0 + p.box.x1) / 2, p.box.y1 - label_padding - e.descent,
            text, size, text_anchor::middle, bold);
  }

  void speeds(band& b) {
    double top = max_in_stretch(p_.velocita_linea);
    for (const profile_point& q : p_.points) {
      if (holds(static_cast<double>(q.metro))) {
        top = std::max<double>(top, q.velocita);
      }
    }
    const double step = round_step(std::max(top, 10.0) / 5, 10.0);
    b.lo = 0;
    b.hi = std::ceil((std::max(top, 10.0) * 1.12 + 14) / step) * step;
    value_axis(b, step, "");
    label_placer placer = placer_for(b, false);
    for (const profile_slowdown& r : p_.rallentamenti) {
      const double a = std::max(static_cast<double>(r.inizio), from_);
      const double z = std::min(static_cast<double>(r.fine), to_);
      if (z > a) {
        c_.colour(slowdown_colour, 0.3);
        c_.rectangle(x(a), b.y(r.velocita), x(z) - x(a),
                     b.bottom - b.y(r.velocita));
        c_.fill();
      }
    }
    c_.colour(beyond_colour);
    c_.line_width(1.0);
    c_.dash(3.0);
    steps(p_.velocita_linea, b);
    c_.stroke();
    c_.dash(0);
    c_.colour(limit_colour);
    c_.line_width(2.0);
    steps(p_.limit, b);
    c_.stroke();
    for (const profile_slowdown& r : p_.rallentamenti) {
      const auto w = static_cast<double>(r.avviso);
      if (r.avviso >= 0 && holds(w)) {
        draw_mark(c_, mark_kind::avviso_rallentamento, x(w), b.y(r.velocita));
        placer.avoid(
            {x(w) - 5, b.y(r.velocita) - 5, x(w) + 5, b.y(r.velocita) + 5});
      }
      const auto s = static_cast<double>(r.inizio);
      if (holds(s)) {
        label(placer,
              std::to_string(r.velocita) + " to km " +
                  km_text(static_cast<double>(r.fine) / 1000.0),
              x(s), b.y(r.velocita), 8.5, slowdown_colour, true, -1);
      }
    }
    for (const profile_board& k : p_.cartelli) {
      if (k.velocita == 0 || !holds(static_cast<double>(k.metro))) continue;
      const double v = k.velocita;
      draw_mark(c_, mark_kind::cartello_velocita,
                x(static_cast<double>(k.metro)), b.y(v));
    }
    for (const profile_point& q : p_.points) {
      const auto m = static_cast<double>(q.metro);
      if (!holds(m)) continue;
      draw_mark(c_,
                q.added_by_pass ? mark_kind::punto_del_passo
                                : mark_kind::punto_velocita,
                x(m), b.y(q.velocita) - 5);
    }
  }

  void signals(band& b) {
    const double mid = (b.top + 14 + b.bottom) / 2;
    c_.colour(grid_colour);
    c_.line_width(1.0);
    c_.move_to(left_, mid);
    c_.line_to(right_, mid);
    c_.stroke();
    label_placer placer = placer_for(b, false);
    for (const profile_signal& s : p_.segnali) {
      if (!holds(static_cast<double>(s.metro))) continue;
      const double px = x(static_cast<double>(s.metro));
      draw_mark(c_, mark_kind::segnale, px, mid);
      placer.avoid({px - 4, mid - 4, px + 4, mid + 4});
    }
    for (const profile_signal& s : p_.segnali) {
      if (!holds(static_cast<double>(s.metro))) continue;
      label(placer, signal_text(s.celle), x(static_cast<double>(s.metro)), mid,
            7.5, signal_colour, false, -1);
    }
  }

  void stations(band& b) {
    const double mid = b.top + 14 + (b.bottom - b.top - 14) * 0.35;
    label_placer placer = placer_for(b, false);
    for (const profile_station& s : p_.stazioni) {
      const double a = std::max(static_cast<double>(s.inizio_area), from_);
      const double z = std::min(static_cast<double>(s.fine_area), to_);
      if (z > a) {
        c_.colour(station_colour, 0.25);
        c_.rectangle(x(a), mid - 4, x(z) - x(a), 8);
        c_.fill();
      }
      if (s.fermata >= 0 && holds(static_cast<double>(s.fermata))) {
        draw_mark(c_, mark_kind::fermata, x(static_cast<double>(s.fermata)),
                  mid);
      }
      if (holds(static_cast<double>(s.progressiva))) {
        const double px = x(static_cast<double>(s.progressiva));
        draw_mark(c_, mark_kind::stazione, px, mid);
        placer.avoid({px - 5, mid - 6, px + 5, mid + 6});
      }
    }
    for (const profile_station& s : p_.stazioni) {
      if (!holds(static_cast<double>(s.progressiva))) continue;
      std::string text = s.nome;
      const std::string timetable = timetable_text(s.orario);
      if (!timetable.empty()) text += " " + timetable;
      label(placer, text, x(static_cast<double>(s.progressiva)), mid, 8.5,
            station_colour, true, 1);
    }
  }

  void gradient(band& b) {
    double lo = 0, hi = 0;
    double v = value_at(p_.pendenza, static_cast<std::int64_t>(from_));
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    for (const value_step& g : p_.pendenza) {
      if (metri(g.from) > from_ && metri(g.from) < to_) {
        lo = std::min(lo, g.value);
        hi = std::max(hi, g.value);
      }
    }
    const double step = round_step(std::max(hi - lo, 1.0) / 4, 1.0);
    b.lo = std::floor(lo / step) * step - (lo < 0 ? step : 0);
    b.hi = std::ceil(hi / step) * step + step;
    value_axis(b, step, "");
    // Bars from zero.
    c_.colour(gradient_colour, 0.35);
    v = value_at(p_.pendenza, static_cast<std::int64_t>(from_));
    double from = from_;
    auto bar = [&](double to) {
      const double y0 = b.y(0), y1 = b.y(v);
      c_.rectangle(x(from), std::min(y0, y1), x(to) - x(from),
                   std::abs(y1 - y0));
      c_.fill();
    };
    for (const value_step& g : p_.pendenza) {
      if (metri(g.from) <= from_) continue;
      if (metri(g.from) >= to_) break;
      bar(metri(g.from));
      from = metri(g.from);
      v = g.value;
    }
    bar(to_);
    c_.colour(gradient_colour);
    c_.line_width(1.0);
    steps(p_.pendenza, b);
    c_.stroke();
    mountains(b);

    // The elevation, on its own scale at the right.
    double qlo = 1e300, qhi = -1e300;
    for (const value_step& q : p_.quota) {
      if (metri(q.from) < from_ || metri(q.from) > to_) continue;
      qlo = std::min(qlo, q.value);
      qhi = std::max(qhi, q.value);
    }
    if (qlo > qhi) return;
    const double qstep = round_step(std::max(qhi - qlo, 1.0) / 4, 1.0);
    band q = b;
    q.lo = std::floor(qlo / qstep) * qstep;
    q.hi = std::ceil(qhi / qstep) * qstep;
    if (q.hi == q.lo) q.hi = q.lo + qstep;
    c_.colour(elevation_colour);
    for (double e = q.lo; e <= q.hi + 1e-9; e += qstep) {
      c_.text(right_ + 4, q.y(e) + 3, number(e) + " m", 8.5,
              text_anchor::start);
    }
    c_.line_width(1.6);
    bool first = true;
    for (const value_step& g : p_.quota) {
      if (metri(g.from) < from_ - passo_cella ||
          metri(g.from) > to_ + passo_cella)
        continue;
      const double px = x(std::clamp(metri(g.from), from_, to_));
      if (first) {
        c_.move_to(px, q.y(g.value));
      } else {
        c_.line_to(px, q.y(g.value));
      }
      first = false;
    }
    c_.stroke();
  }

  // Mountain stretches as a strip along the band's foot, each with its
  // code above it where there is room.
  void mountains(const band& b) {
    const double mark_height = 8.0;
    auto stretch = [&](double from, double to, double code) {
      if (code == 0 || to <= from) return;
      c_.colour(mountain_colour, 0.6);
      c_.rectangle(x(from), b.bottom - mark_height, x(to) - x(from),
                   mark_height);
      c_.fill();
      if (x(to) - x(from) >= 10) {
        c_.colour(mountain_colour);
        c_.text((x(from) + x(to)) / 2, b.bottom - mark_height - 2, number(code),
                8.0, text_anchor::middle, true);
      }
    };
    double from = from_;
    double code = value_at(p_.montagna, static_cast<std::int64_t>(from_));
    for (const value_step& g : p_.montagna) {
      if (metri(g.from) <= from_) continue;
      if (metri(g.from) >= to_) break;
      stretch(from, metri(g.from), code);
      from = metri(g.from);
      code = g.value;
    }
    stretch(from, to_, code);
  }

  void adhesion(band& b) {
    const double top = std::max(max_in_stretch(p_.aderenza), 1.0);
    const double step = round_step(top / 2, 1.0);
    b.lo = 0;
    b.hi = std::ceil(top * 1.25 / step) * step;
    value_axis(b, step, "");
    c_.colour(adhesion_colour);
    c_.line_width(1.6);
    steps(p_.aderenza, b);
    c_.stroke();
  }

  void title() {
    c_.colour(line_colour);
    std::string t = in_.title + ": profiles, km " + km_text(from_ / 1000.0) +
                    " to " + km_text(to_ / 1000.0);
    c_.text(page_margin, title_band / 2 + 6, t, 13.0, text_anchor::start);
    if (!out_->left_out.empty()) {
      c_.colour(beyond_colour);
      c_.text(width_ - page_margin, title_band / 2 + 6,
              std::to_string(out_->left_out.size()) +
                  " labels left out for room: draw a stretch with --from/--to",
              9.0, text_anchor::end);
    }
  }

  void legend() {
    std::vector<legend_entry> entries = {
        line_entry("speed limit", limit_colour, 2.0),
        line_entry("line speed", beyond_colour, 1.0, 1.0, 3.0),
        line_entry("slowdown", slowdown_colour, 8.0, 0.3),
        mark_entry(mark_kind::avviso_rallentamento),
        mark_entry(mark_kind::punto_velocita),
        mark_entry(mark_kind::punto_del_passo),
        mark_entry(mark_kind::cartello_velocita),
        mark_entry(mark_kind::segnale),
        mark_entry(mark_kind::stazione),
        line_entry("station area", station_colour, 8.0, 0.25),
        mark_entry(mark_kind::fermata),
        line_entry("gradient", gradient_colour, 8.0, 0.35),
        line_entry("elevation", elevation_colour, 1.6),
        line_entry("mountain stretch", mountain_colour, 8.0, 0.6),
        line_entry("adhesion", adhesion_colour, 1.6),
    };
    draw_legend(c_, entries, width_, height_, 0.0);
  }

  canvas& c_;
  const profile_input& in_;
  profile_layout* out_;
  const profile_data& p_;
  double left_, right_, width_, height_;
  double from_ = 0, to_ = 1;
  std::vector<band> bands_;
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
  out.data = profile_of(*in.celle, *in.stazioni, in.before_pass);
  out.from = in.from >= 0 ? in.from : 0;
  out.to = in.to >= 0 ? in.to : out.data.profile_end;
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
