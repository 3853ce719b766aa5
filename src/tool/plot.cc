#include "tool/plot.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "compact/compiled_files_decode.h"
#include "platform/real_file_system.h"
#include "tool/diagnostics.h"
#include "tool/exit_status.h"
#include "tool/guarded_file_system.h"
#include "tool/read_limits.h"

namespace compattatore::tool {
namespace {

struct punto {
  double metro;
  double x;
  double y;
};

struct rgb {
  double r, g, b;
};
constexpr rgb colore_linea{0.15, 0.15, 0.15};
constexpr rgb colore_oltre{0.6, 0.6, 0.6};
constexpr rgb colore_stazione{0.1, 0.3, 0.8};
constexpr rgb colore_segnale{0.85, 0.1, 0.1};
constexpr rgb colore_rallentamento{1.0, 0.55, 0.0};
constexpr rgb colore_cartello{0.1, 0.6, 0.2};

// Page layout, in page units: a title band above the drawing, a legend
// band below it.
constexpr double margine = 30.0;
constexpr double banda_titolo = 40.0;
constexpr double banda_legenda = 60.0;
// At most this many points make the line: more add nothing at any page size
// this tool draws, and keep an SVG of a long route small.
constexpr std::size_t punti_massimi = 8000;

void set(cairo_t* cr, rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// The metres of the line where both coordinates hold a value, in order.
std::vector<punto> punti_del_tracciato(const tracciato_linea& t) {
  std::vector<punto> out;
  for (std::size_t m = 0; m < t.metri(); ++m) {
    if (t.tipo(m, 0) == tipo_elemento::vuoto ||
        t.tipo(m, 1) == tipo_elemento::vuoto) {
      continue;
    }
    out.push_back({static_cast<double>(m), t.valore(m, 0), t.valore(m, 1)});
  }
  return out;
}

class plan {
 public:
  plan(cairo_t* cr, std::vector<punto> punti, page_transform tr)
      : cr_(cr), punti_(std::move(punti)), tr_(tr) {}

  double first() const { return punti_.front().metro; }
  double last() const { return punti_.back().metro; }
  double scale() const { return tr_.scale; }

  // The point of the line at `metro`, clamped to the line's ends.
  punto at(double metro) const {
    auto it =
        std::lower_bound(punti_.begin(), punti_.end(), metro,
                         [](const punto& p, double m) { return p.metro < m; });
    if (it == punti_.end()) return punti_.back();
    return *it;
  }
  double px(const punto& p) const { return tr_.page_x(p.x); }
  double py(const punto& p) const { return tr_.page_y(p.y); }

  // Unit normal on the page at `metro`, to the left of the direction of
  // travel.
  void normal(double metro, double* nx, double* ny) const {
    const punto a = at(metro - 20.0);
    const punto b = at(metro + 20.0);
    const double dx = px(b) - px(a);
    const double dy = py(b) - py(a);
    const double len = std::hypot(dx, dy);
    if (len == 0.0) {
      *nx = 1.0;
      *ny = 0.0;
      return;
    }
    *nx = dy / len;
    *ny = -dx / len;
  }

  // The line from metre `from` to metre `to` as the current path.
  void path(double from, double to) const {
    const std::size_t step =
        std::max<std::size_t>(1, punti_.size() / punti_massimi);
    const punto start = at(from);
    cairo_move_to(cr_, px(start), py(start));
    for (std::size_t i = 0; i < punti_.size(); i += step) {
      const punto& p = punti_[i];
      if (p.metro <= from) continue;
      if (p.metro >= to) break;
      cairo_line_to(cr_, px(p), py(p));
    }
    const punto end = at(to);
    cairo_line_to(cr_, px(end), py(end));
  }

 private:
  cairo_t* cr_;
  std::vector<punto> punti_;
  page_transform tr_;
};

void text_at(cairo_t* cr, double x, double y, const std::string& s, double size,
             bool centred) {
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  const double left = centred ? x - e.width / 2 - e.x_bearing : x;
  cairo_move_to(cr, left, centred ? y - e.height / 2 - e.y_bearing : y);
  cairo_show_text(cr, s.c_str());
}

// Smallest of 1, 2, 5, 10, 20, 50, ... times `unit` that is at least `min`.
double passo_tondo(double min, double unit) {
  double p = unit;
  for (;;) {
    for (double f : {1.0, 2.0, 5.0}) {
      if (f * p >= min) return f * p;
    }
    p *= 10.0;
  }
}

void draw_km_ticks(cairo_t* cr, const plan& pl, double fine) {
  const double px_per_km = 1000.0 * pl.scale();
  if (px_per_km <= 0.0) return;
  const double label_km = passo_tondo(50.0 / px_per_km, 1.0);
  const double tick_km = px_per_km >= 4.0 ? 1.0 : label_km;
  set(cr, colore_linea);
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

void dot(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

void square(cairo_t* cr, double x, double y, double half) {
  cairo_rectangle(cr, x - half, y - half, 2 * half, 2 * half);
  cairo_fill(cr);
}

// Cell c stands for the track at about (c - 1) * 50 m.
double metro_della_cella(std::size_t c) {
  return (static_cast<double>(c) - 1.0) * passo_cella;
}

// Slowdowns as bands from start to end, to go under the line.
void draw_slowdowns(cairo_t* cr, const plan& pl,
                    const std::vector<cella>& celle) {
  set(cr, colore_rallentamento, 0.55);
  cairo_set_line_width(cr, 7.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  bool aperto = false;
  double inizio = 0.0;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (celle[c].is(oggetto_cella::inizio_rallentamento)) {
      aperto = true;
      inizio = metro_della_cella(c);
    } else if (celle[c].is(oggetto_cella::fine_rallentamento) && aperto) {
      pl.path(inizio, std::max(inizio + 1.0, metro_della_cella(c)));
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
    const punto p = pl.at(metro_della_cella(c));
    if (k.is(oggetto_cella::segnale)) {
      set(cr, colore_segnale);
      dot(cr, pl.px(p), pl.py(p), 3.0);
    } else if (k.is(oggetto_cella::avviso_rallentamento)) {
      set(cr, colore_rallentamento);
      dot(cr, pl.px(p), pl.py(p), 2.5);
    } else if (k.is(oggetto_cella::indicatore_v_max) ||
               k.is(oggetto_cella::cartello_indicatore)) {
      set(cr, colore_cartello);
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
    set(cr, colore_stazione);
    dot(cr, pl.px(p), pl.py(p), 4.0);
    double nx = 0, ny = 0;
    pl.normal(s.progressiva, &nx, &ny);
    cairo_set_font_size(cr, 10.0);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.nome.c_str(), &e);
    // On the side away from the kilometre labels, reaching away from the
    // line.
    const double tx = pl.px(p) - 10 * nx;
    const double ty = pl.py(p) - 10 * ny;
    cairo_move_to(cr, nx > 0 ? tx - e.x_advance : tx,
                  ty - e.y_bearing - e.height / 2);
    cairo_show_text(cr, s.nome.c_str());
  }
}

struct voce {
  std::string label;
  void (*sample)(cairo_t*, double x, double y);
};

void draw_legend(cairo_t* cr, double width, double height, bool with_cells,
                 bool with_stations, double scale) {
  std::vector<voce> voci = {
      {"track",
       [](cairo_t* c, double x, double y) {
         set(c, colore_linea);
         cairo_set_line_width(c, 2.0);
         cairo_move_to(c, x, y);
         cairo_line_to(c, x + 20, y);
         cairo_stroke(c);
       }},
      {"km tick",
       [](cairo_t* c, double x, double y) {
         set(c, colore_linea);
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
                      set(c, colore_stazione);
                      dot(c, x + 10, y, 4.0);
                    }});
  }
  if (with_cells) {
    voci.push_back({"signal", [](cairo_t* c, double x, double y) {
                      set(c, colore_segnale);
                      dot(c, x + 10, y, 3.0);
                    }});
    voci.push_back({"slowdown", [](cairo_t* c, double x, double y) {
                      set(c, colore_rallentamento, 0.55);
                      cairo_set_line_width(c, 7.0);
                      cairo_move_to(c, x, y);
                      cairo_line_to(c, x + 20, y);
                      cairo_stroke(c);
                    }});
    voci.push_back({"board", [](cairo_t* c, double x, double y) {
                      set(c, colore_cartello);
                      square(c, x + 10, y, 2.5);
                    }});
  }
  const double y = height - banda_legenda / 2;
  double x = margine;
  for (const voce& v : voci) {
    v.sample(cr, x, y);
    set(cr, colore_linea);
    text_at(cr, x + 26, y + 4, v.label, 10.0, false);
    x += 110;
  }

  // Scale bar, at the right end of the band.
  if (scale <= 0.0) return;
  const double metres = passo_tondo(80.0 / scale, 1.0);
  const double len = metres * scale;
  const double right = width - margine;
  set(cr, colore_linea);
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

void draw(cairo_t* cr, const plot_input& in, const std::vector<punto>& punti,
          double width, double height) {
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
  set(cr, colore_linea);
  cairo_set_line_width(cr, 2.0);
  pl.path(pl.first(), fine);
  cairo_stroke(cr);
  if (fine < pl.last()) {
    set(cr, colore_oltre);
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

  set(cr, colore_linea);
  std::string title = in.title + ": plan view, " +
                      std::to_string(static_cast<long long>(fine)) + " m";
  if (fine < pl.last()) title += " (then the row's margin, dashed)";
  text_at(cr, margine, banda_titolo / 2 + 6, title, 13.0, false);
  draw_legend(cr, width, height, in.celle != nullptr, in.stazioni != nullptr,
              tr.scale);
}

cairo_status_t append(void* closure, const unsigned char* data,
                      unsigned int length) {
  static_cast<std::string*>(closure)->append(
      reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct surface_closer {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct context_closer {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using surface_ptr = std::unique_ptr<cairo_surface_t, surface_closer>;
using context_ptr = std::unique_ptr<cairo_t, context_closer>;

}  // namespace

std::optional<plot_format> format_from_name(std::string_view path) {
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (ext == "svg") return plot_format::svg;
  if (ext == "png") return plot_format::png;
  if (ext == "pdf") return plot_format::pdf;
  return std::nullopt;
}

page_transform fit(double min_x, double min_y, double max_x, double max_y,
                   double left, double top, double width, double height) {
  const double ex = max_x - min_x;
  const double ey = max_y - min_y;
  double scale = 1.0;
  if (ex > 0 && ey > 0) {
    scale = std::min(width / ex, height / ey);
  } else if (ex > 0) {
    scale = width / ex;
  } else if (ey > 0) {
    scale = height / ey;
  }
  page_transform t;
  t.scale = scale;
  t.ox = left + width / 2 - (min_x + max_x) / 2 * scale;
  t.oy = top + height / 2 + (min_y + max_y) / 2 * scale;
  return t;
}

namespace {

bool render(const plot_input& in, const std::vector<punto>& punti,
            plot_format format, int width, int height, std::string* bytes,
            std::string* err) {
  bytes->clear();
  const double w = width;
  const double h = height;
  surface_ptr surface;
  switch (format) {
    case plot_format::svg:
      surface.reset(cairo_svg_surface_create_for_stream(append, bytes, w, h));
      cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
      break;
    case plot_format::pdf:
      surface.reset(cairo_pdf_surface_create_for_stream(append, bytes, w, h));
      break;
    case plot_format::png:
      surface.reset(
          cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
      break;
  }
  {
    context_ptr cr(cairo_create(surface.get()));
    draw(cr.get(), in, punti, w, h);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
      *err = cairo_status_to_string(cairo_status(cr.get()));
      return false;
    }
  }
  if (format == plot_format::png) {
    if (const cairo_status_t st =
            cairo_surface_write_to_png_stream(surface.get(), append, bytes);
        st != CAIRO_STATUS_SUCCESS) {
      *err = cairo_status_to_string(st);
      return false;
    }
  }
  cairo_surface_finish(surface.get());
  if (const cairo_status_t st = cairo_surface_status(surface.get());
      st != CAIRO_STATUS_SUCCESS) {
    *err = cairo_status_to_string(st);
    return false;
  }
  return true;
}

}  // namespace

bool draw_plan(const plot_input& in, plot_format format, int width, int height,
               std::string* bytes, std::string* err) {
  const std::vector<punto> punti = punti_del_tracciato(*in.tracciato);
  if (punti.size() < 2) {
    *err = "the track line holds " + std::to_string(punti.size()) +
           " points with both coordinates: nothing to draw";
    return false;
  }
  const bool ok = render(in, punti, format, width, height, bytes, err);
  // The font caches of cairo and fontconfig are dropped once nothing of
  // cairo is alive: a drawing is the last thing the tool does, and so the
  // sanitizer build's leak check sees the libraries' memory returned.
  cairo_debug_reset_static_data();
  FcFini();
  return ok;
}

int run_plot(const plot_options& o, std::ostream& out, std::ostream& err) {
  const std::optional<plot_format> format = format_from_name(o.out);
  if (!format) {
    err << prefisso_tool << "cannot tell the drawing's format from " << o.out
        << ": name it *.svg, *.png or *.pdf\n";
    return exit_status::file_failure;
  }
  real_file_system disk;
  std::vector<std::string> inputs = {o.track};
  for (const std::string* p : {&o.cells, &o.stations}) {
    if (!p->empty()) inputs.push_back(*p);
  }
  guarded_file_system fs(disk, inputs);
  if (fs.protects(o.out)) {
    err << prefisso_tool << "cannot write " << o.out
        << ": it is one of the files being read\n";
    return exit_status::file_failure;
  }
  std::string problem;
  auto read = [&](const std::string& path, std::string* bytes) {
    try {
      *bytes = disk.read(path, compiled_file_limit);
      return true;
    } catch (const file_error& e) {
      err << prefisso_tool << e.what() << '\n';
      return false;
    }
  };
  auto not_readable = [&](const std::string& path, std::string_view what) {
    err << path << ": not a " << what << " file: " << problem << '\n';
    return exit_status::file_failure;
  };

  std::string bytes;
  tracciato_linea tracciato;
  if (!read(o.track, &bytes)) return exit_status::file_failure;
  if (!decode_track(bytes, &tracciato, &problem)) {
    return not_readable(o.track, "track line");
  }
  std::vector<cella> celle;
  if (!o.cells.empty()) {
    if (!read(o.cells, &bytes)) return exit_status::file_failure;
    if (!decode_cells(bytes, &celle, &problem)) {
      return not_readable(o.cells, "cell row");
    }
  }
  std::array<stazione, numero_stazioni> stazioni{};
  if (!o.stations.empty()) {
    if (!read(o.stations, &bytes)) return exit_status::file_failure;
    if (!decode_stations(bytes, &stazioni, &problem)) {
      return not_readable(o.stations, "station table");
    }
  }

  plot_input in;
  in.tracciato = &tracciato;
  in.celle = o.cells.empty() ? nullptr : &celle;
  in.stazioni = o.stations.empty() ? nullptr : &stazioni;
  const auto slash = o.track.rfind('/');
  in.title = slash == std::string::npos ? o.track : o.track.substr(slash + 1);
  std::string drawing;
  if (!draw_plan(in, *format, o.width, o.height, &drawing, &problem)) {
    err << o.track << ": " << problem << '\n';
    return exit_status::file_failure;
  }
  fs.allow_writes();
  try {
    fs.replace(o.out, drawing);
  } catch (const file_error& e) {
    err << prefisso_tool << e.what() << '\n';
    return exit_status::file_failure;
  }
  out << "wrote " << o.out << " (" << drawing.size() << " bytes)\n";
  return exit_status::ok;
}

}  // namespace compattatore::tool
