#include "tool/drawing/plot_surface.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

#include "tool/drawing/plot_drawing.h"
#include "tool/drawing/plot_sampling.h"

namespace compattatore::tool {
namespace {

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

bool render(plot_format format, int width, int height,
            const std::function<void(canvas&)>& draw, std::string* bytes,
            std::string* err) {
  bytes->clear();
  const double w = width;
  const double h = height;
  if (format == plot_format::svg) {
    svg_canvas c(w, h);
    draw(c);
    *bytes = c.finish();
    return true;
  }
  surface_ptr surface;
  if (format == plot_format::pdf) {
    surface.reset(cairo_pdf_surface_create_for_stream(append, bytes, w, h));
  } else {
    surface.reset(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  }
  {
    context_ptr cr(cairo_create(surface.get()));
    cairo_canvas c(cr.get());
    draw(c);
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

bool render_drawing(plot_format format, int width, int height,
                    const std::function<void(canvas&)>& draw,
                    std::string* bytes, std::string* err) {
  const bool ok = render(format, width, height, draw, bytes, err);
  // The font caches of cairo and fontconfig are dropped once nothing of
  // cairo is alive, so the sanitizer build's leak check sees the
  // libraries' memory returned; the next drawing builds them again.
  cairo_debug_reset_static_data();
  FcFini();
  return ok;
}

bool draw_plan(const plot_input& in, plot_format format, int width, int height,
               std::string* bytes, std::string* err, plan_layout* layout) {
  std::vector<line_point> points = track_points(*in.tracciato);
  if (!points.empty()) {
    const plan_stretch t =
        drawn_stretch(in, points.front().metro, points.back().metro);
    std::erase_if(points, [&](const line_point& p) {
      return p.metro < t.from || p.metro > t.to;
    });
  }
  if (points.size() < 2) {
    *err = "the track line holds " + std::to_string(points.size()) +
           " points with both coordinates";
    if (in.from >= 0 || in.to >= 0) *err += " in the stretch";
    *err += ": nothing to draw";
    return false;
  }
  plan_layout local;
  plan_layout& out = layout ? *layout : local;
  out = {};
  return render_drawing(
      format, width, height,
      [&](canvas& c) { draw_page(c, in, points, width, height, &out); }, bytes,
      err);
}

}  // namespace compattatore::tool
