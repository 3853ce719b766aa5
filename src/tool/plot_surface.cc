#include "tool/plot_surface.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

#include "tool/plot_drawing.h"
#include "tool/plot_sampling.h"

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
    draw_page(cr.get(), in, punti, w, h);
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

}  // namespace compattatore::tool
