#include "tool/drawing/plot_canvas.h"

#include <cairo.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "tool/common/html_text.h"

namespace compattatore::tool {
namespace {

// Page units to two decimals: finer than any device shows, and an SVG of
// a long route stays small.
std::string num(double v) {
  if (!std::isfinite(v)) v = 0;
  char buf[40];
  const auto r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  std::string s(buf, r.ptr);
  while (s.ends_with('0')) s.pop_back();
  if (s.ends_with('.')) s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string css_colour(rgb c) {
  auto byte = [](double v) {
    return std::to_string(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  return "rgb(" + byte(c.r) + "," + byte(c.g) + "," + byte(c.b) + ")";
}

void select_font(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(
      cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
      bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

text_extent measure_with(cairo_t* cr, std::string_view utf8, double size,
                         bool bold) {
  select_font(cr, size, bold);
  const std::string s(utf8);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  cairo_font_extents_t f;
  cairo_font_extents(cr, &f);
  return {e.x_advance, f.ascent, f.descent};
}

double anchored_left(double x, double width, text_anchor anchor) {
  switch (anchor) {
    case text_anchor::start:
      return x;
    case text_anchor::middle:
      return x - width / 2;
    case text_anchor::end:
      return x - width;
  }
  return x;
}

}  // namespace

std::string xml_escaped(std::string_view s) {
  // Control characters have no place in XML 1.0 text; the rest is escaped
  // as the report page escapes its text.
  std::string text(s);
  for (char& ch : text) {
    if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
  }
  return html_escape(text);
}

cairo_canvas::cairo_canvas(cairo_t* cr) : cr_(cr) {
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

void cairo_canvas::colour(rgb c, double alpha) {
  cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha);
}
void cairo_canvas::line_width(double w) { cairo_set_line_width(cr_, w); }
void cairo_canvas::dash(double on) {
  if (on > 0) {
    cairo_set_dash(cr_, &on, 1, 0);
  } else {
    cairo_set_dash(cr_, nullptr, 0, 0);
  }
}
void cairo_canvas::move_to(double x, double y) { cairo_move_to(cr_, x, y); }
void cairo_canvas::line_to(double x, double y) { cairo_line_to(cr_, x, y); }
void cairo_canvas::close_path() { cairo_close_path(cr_); }
void cairo_canvas::circle(double x, double y, double r) {
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x, y, r, 0, 2 * M_PI);
  cairo_close_path(cr_);
}
void cairo_canvas::rectangle(double x, double y, double w, double h) {
  cairo_rectangle(cr_, x, y, w, h);
}
void cairo_canvas::stroke() { cairo_stroke(cr_); }
void cairo_canvas::fill() { cairo_fill(cr_); }

void cairo_canvas::text(double x, double y, std::string_view utf8, double size,
                        text_anchor anchor, bool bold) {
  const text_extent e = measure_with(cr_, utf8, size, bold);
  const std::string s(utf8);
  cairo_move_to(cr_, anchored_left(x, e.width, anchor), y);
  cairo_show_text(cr_, s.c_str());
}

text_extent cairo_canvas::measure(std::string_view utf8, double size,
                                  bool bold) {
  return measure_with(cr_, utf8, size, bold);
}

svg_canvas::svg_canvas(double width, double height)
    : width_(width),
      height_(height),
      scratch_(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)),
      measure_(cairo_create(scratch_)) {}

svg_canvas::~svg_canvas() {
  cairo_destroy(measure_);
  cairo_surface_destroy(scratch_);
}

void svg_canvas::colour(rgb c, double alpha) {
  colour_ = c;
  alpha_ = alpha;
}
void svg_canvas::line_width(double w) { line_width_ = w; }
void svg_canvas::dash(double on) { dash_ = on; }
void svg_canvas::move_to(double x, double y) {
  path_ += 'M' + num(x) + ' ' + num(y);
}
void svg_canvas::line_to(double x, double y) {
  path_ += 'L' + num(x) + ' ' + num(y);
}
void svg_canvas::close_path() { path_ += 'Z'; }
void svg_canvas::circle(double x, double y, double r) {
  path_ += 'M' + num(x - r) + ' ' + num(y) + 'a' + num(r) + ' ' + num(r) +
           " 0 1 0 " + num(2 * r) + " 0a" + num(r) + ' ' + num(r) + " 0 1 0 " +
           num(-2 * r) + " 0Z";
}
void svg_canvas::rectangle(double x, double y, double w, double h) {
  path_ += 'M' + num(x) + ' ' + num(y) + 'h' + num(w) + 'v' + num(h) + 'h' +
           num(-w) + 'Z';
}

std::string svg_canvas::paint(std::string_view what) const {
  std::string s = std::string(what) + "=\"" + css_colour(colour_) + '"';
  if (alpha_ < 1.0) {
    s += ' ' + std::string(what) + "-opacity=\"" + num(alpha_) + '"';
  }
  return s;
}

void svg_canvas::stroke() {
  if (path_.empty()) return;
  body_ += "<path d=\"" + path_ + "\" fill=\"none\" " + paint("stroke") +
           " stroke-width=\"" + num(line_width_) + '"';
  if (dash_ > 0) body_ += " stroke-dasharray=\"" + num(dash_) + '"';
  body_ += "/>\n";
  path_.clear();
}

void svg_canvas::fill() {
  if (path_.empty()) return;
  body_ += "<path d=\"" + path_ + "\" " + paint("fill") + "/>\n";
  path_.clear();
}

void svg_canvas::text(double x, double y, std::string_view utf8, double size,
                      text_anchor anchor, bool bold) {
  static constexpr const char* anchors[] = {"start", "middle", "end"};
  body_ += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-size=\"" +
           num(size) + '"';
  if (anchor != text_anchor::start) {
    body_ += " text-anchor=\"";
    body_ += anchors[static_cast<int>(anchor)];
    body_ += '"';
  }
  if (bold) body_ += " font-weight=\"bold\"";
  body_ += ' ' + paint("fill") + '>' + xml_escaped(utf8) + "</text>\n";
}

text_extent svg_canvas::measure(std::string_view utf8, double size, bool bold) {
  return measure_with(measure_, utf8, size, bold);
}

std::string svg_canvas::finish() {
  const std::string w = num(width_);
  const std::string h = num(height_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h +
         "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" "
         "stroke-linejoin=\"round\">\n" +
         body_ + "</svg>\n";
}

}  // namespace compattatore::tool
