// The drawing library, loaded when a drawing is made rather than when the
// tool starts. Linking it in made every command load some twenty libraries
// (cairo, fontconfig, freetype, X11, ...) at start-up, which took longer
// than a compile's own work on a short scenario. Each cairo function the
// tool calls is defined here and passes its arguments on to the library's
// own, found once on first use.
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <stdexcept>
#include <string>

namespace {

constexpr const char* cairo_soname = "libcairo.so.2";
constexpr const char* fontconfig_soname = "libfontconfig.so.1";

void* cairo_library() {
  static void* const handle = [] {
    void* h = ::dlopen(cairo_soname, RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
      const char* why = ::dlerror();
      throw std::runtime_error(
          std::string("cannot load ") + cairo_soname +
          ", which drawing needs: " + (why != nullptr ? why : "not found"));
    }
    return h;
  }();
  return handle;
}

template <typename F>
F from_cairo(const char* name) {
  void* symbol = ::dlsym(cairo_library(), name);
  if (symbol == nullptr) {
    throw std::runtime_error(std::string(cairo_soname) + " has no " + name);
  }
  return reinterpret_cast<F>(symbol);
}

}  // namespace

extern "C" {

void cairo_arc(cairo_t* cr, double xc, double yc, double radius, double angle1,
               double angle2) {
  static const auto f = from_cairo<decltype(&cairo_arc)>("cairo_arc");
  f(cr, xc, yc, radius, angle1, angle2);
}

void cairo_close_path(cairo_t* cr) {
  static const auto f =
      from_cairo<decltype(&cairo_close_path)>("cairo_close_path");
  f(cr);
}

void cairo_font_extents(cairo_t* cr, cairo_font_extents_t* extents) {
  static const auto f =
      from_cairo<decltype(&cairo_font_extents)>("cairo_font_extents");
  f(cr, extents);
}

cairo_t* cairo_create(cairo_surface_t* target) {
  static const auto f = from_cairo<decltype(&cairo_create)>("cairo_create");
  return f(target);
}

void cairo_debug_reset_static_data(void) {
  static const auto f = from_cairo<decltype(&cairo_debug_reset_static_data)>(
      "cairo_debug_reset_static_data");
  f();
}

void cairo_destroy(cairo_t* cr) {
  static const auto f = from_cairo<decltype(&cairo_destroy)>("cairo_destroy");
  f(cr);
}

void cairo_fill(cairo_t* cr) {
  static const auto f = from_cairo<decltype(&cairo_fill)>("cairo_fill");
  f(cr);
}

cairo_surface_t* cairo_image_surface_create(cairo_format_t format, int width,
                                            int height) {
  static const auto f = from_cairo<decltype(&cairo_image_surface_create)>(
      "cairo_image_surface_create");
  return f(format, width, height);
}

void cairo_line_to(cairo_t* cr, double x, double y) {
  static const auto f = from_cairo<decltype(&cairo_line_to)>("cairo_line_to");
  f(cr, x, y);
}

void cairo_move_to(cairo_t* cr, double x, double y) {
  static const auto f = from_cairo<decltype(&cairo_move_to)>("cairo_move_to");
  f(cr, x, y);
}

void cairo_new_sub_path(cairo_t* cr) {
  static const auto f =
      from_cairo<decltype(&cairo_new_sub_path)>("cairo_new_sub_path");
  f(cr);
}

void cairo_paint(cairo_t* cr) {
  static const auto f = from_cairo<decltype(&cairo_paint)>("cairo_paint");
  f(cr);
}

cairo_surface_t* cairo_pdf_surface_create_for_stream(
    cairo_write_func_t write_func, void* closure, double width_in_points,
    double height_in_points) {
  static const auto f =
      from_cairo<decltype(&cairo_pdf_surface_create_for_stream)>(
          "cairo_pdf_surface_create_for_stream");
  return f(write_func, closure, width_in_points, height_in_points);
}

void cairo_rectangle(cairo_t* cr, double x, double y, double width,
                     double height) {
  static const auto f =
      from_cairo<decltype(&cairo_rectangle)>("cairo_rectangle");
  f(cr, x, y, width, height);
}

void cairo_select_font_face(cairo_t* cr, const char* family,
                            cairo_font_slant_t slant,
                            cairo_font_weight_t weight) {
  static const auto f =
      from_cairo<decltype(&cairo_select_font_face)>("cairo_select_font_face");
  f(cr, family, slant, weight);
}

void cairo_set_dash(cairo_t* cr, const double* dashes, int num_dashes,
                    double offset) {
  static const auto f = from_cairo<decltype(&cairo_set_dash)>("cairo_set_dash");
  f(cr, dashes, num_dashes, offset);
}

void cairo_set_font_size(cairo_t* cr, double size) {
  static const auto f =
      from_cairo<decltype(&cairo_set_font_size)>("cairo_set_font_size");
  f(cr, size);
}

void cairo_set_line_cap(cairo_t* cr, cairo_line_cap_t line_cap) {
  static const auto f =
      from_cairo<decltype(&cairo_set_line_cap)>("cairo_set_line_cap");
  f(cr, line_cap);
}

void cairo_set_line_join(cairo_t* cr, cairo_line_join_t line_join) {
  static const auto f =
      from_cairo<decltype(&cairo_set_line_join)>("cairo_set_line_join");
  f(cr, line_join);
}

void cairo_set_line_width(cairo_t* cr, double width) {
  static const auto f =
      from_cairo<decltype(&cairo_set_line_width)>("cairo_set_line_width");
  f(cr, width);
}

void cairo_set_source_rgb(cairo_t* cr, double red, double green, double blue) {
  static const auto f =
      from_cairo<decltype(&cairo_set_source_rgb)>("cairo_set_source_rgb");
  f(cr, red, green, blue);
}

void cairo_set_source_rgba(cairo_t* cr, double red, double green, double blue,
                           double alpha) {
  static const auto f =
      from_cairo<decltype(&cairo_set_source_rgba)>("cairo_set_source_rgba");
  f(cr, red, green, blue, alpha);
}

void cairo_show_text(cairo_t* cr, const char* utf8) {
  static const auto f =
      from_cairo<decltype(&cairo_show_text)>("cairo_show_text");
  f(cr, utf8);
}

cairo_status_t cairo_status(cairo_t* cr) {
  static const auto f = from_cairo<decltype(&cairo_status)>("cairo_status");
  return f(cr);
}

const char* cairo_status_to_string(cairo_status_t status) {
  static const auto f =
      from_cairo<decltype(&cairo_status_to_string)>("cairo_status_to_string");
  return f(status);
}

void cairo_stroke(cairo_t* cr) {
  static const auto f = from_cairo<decltype(&cairo_stroke)>("cairo_stroke");
  f(cr);
}

void cairo_surface_destroy(cairo_surface_t* surface) {
  static const auto f =
      from_cairo<decltype(&cairo_surface_destroy)>("cairo_surface_destroy");
  f(surface);
}

void cairo_surface_finish(cairo_surface_t* surface) {
  static const auto f =
      from_cairo<decltype(&cairo_surface_finish)>("cairo_surface_finish");
  f(surface);
}

cairo_status_t cairo_surface_status(cairo_surface_t* surface) {
  static const auto f =
      from_cairo<decltype(&cairo_surface_status)>("cairo_surface_status");
  return f(surface);
}

cairo_status_t cairo_surface_write_to_png_stream(cairo_surface_t* surface,
                                                 cairo_write_func_t write_func,
                                                 void* closure) {
  static const auto f =
      from_cairo<decltype(&cairo_surface_write_to_png_stream)>(
          "cairo_surface_write_to_png_stream");
  return f(surface, write_func, closure);
}

cairo_surface_t* cairo_svg_surface_create_for_stream(
    cairo_write_func_t write_func, void* closure, double width_in_points,
    double height_in_points) {
  static const auto f =
      from_cairo<decltype(&cairo_svg_surface_create_for_stream)>(
          "cairo_svg_surface_create_for_stream");
  return f(write_func, closure, width_in_points, height_in_points);
}

void cairo_svg_surface_set_document_unit(cairo_surface_t* surface,
                                         cairo_svg_unit_t unit) {
  static const auto f =
      from_cairo<decltype(&cairo_svg_surface_set_document_unit)>(
          "cairo_svg_surface_set_document_unit");
  f(surface, unit);
}

void cairo_text_extents(cairo_t* cr, const char* utf8,
                        cairo_text_extents_t* extents) {
  static const auto f =
      from_cairo<decltype(&cairo_text_extents)>("cairo_text_extents");
  f(cr, utf8, extents);
}

// Fontconfig comes with cairo; with no drawing made it was never loaded
// and holds nothing to release.
void FcFini(void) {
  void* h = ::dlopen(fontconfig_soname, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
  if (h == nullptr) return;
  if (void* symbol = ::dlsym(h, "FcFini")) {
    reinterpret_cast<decltype(&FcFini)>(symbol)();
  }
  ::dlclose(h);
}

}  // extern "C"
