// What a drawing is made of, apart from where it goes: paths, marks and
// text on a page. A drawing is written once against `canvas`; cairo renders
// it to PNG and PDF, and an SVG writer of our own keeps its text as text,
// so that an SVG can be searched and its names selected.
#ifndef TOOL_DRAWING_PLOT_CANVAS_H_
#define TOOL_DRAWING_PLOT_CANVAS_H_

#include <string>
#include <string_view>

#include "tool/drawing/plot_style.h"

// cairo's own names for its types, so that this header needs none of its
// headers.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace compattatore::tool {

/// Where a text's x lies on it.
enum class text_anchor { start, middle, end };

/// A text's extent: `width` along the baseline, `ascent` above it and
/// `descent` below it, in page units.
struct text_extent {
  double width = 0;
  double ascent = 0;
  double descent = 0;
};

class canvas {
 public:
  virtual ~canvas() = default;

  virtual void colour(rgb c, double alpha = 1.0) = 0;
  virtual void line_width(double w) = 0;
  /// Dashes of `on` units on and as many off; 0 for a solid line.
  virtual void dash(double on) = 0;

  // The current path, used up by `stroke` or `fill`.
  virtual void move_to(double x, double y) = 0;
  virtual void line_to(double x, double y) = 0;
  virtual void close_path() = 0;
  virtual void circle(double x, double y, double r) = 0;
  virtual void rectangle(double x, double y, double w, double h) = 0;
  virtual void stroke() = 0;
  virtual void fill() = 0;

  /// `utf8` with its baseline at `y`, placed at `x` by `anchor`, in the
  /// current colour.
  virtual void text(double x, double y, std::string_view utf8, double size,
                    text_anchor anchor, bool bold = false) = 0;
  /// The extent `text` would take. The SVG's viewer picks its own
  /// sans-serif face, so its texts may come out a little wider or narrower;
  /// the label boxes keep some room for that.
  virtual text_extent measure(std::string_view utf8, double size,
                              bool bold = false) = 0;
};

/// Draws through cairo onto `cr` (which it does not own).
class cairo_canvas : public canvas {
 public:
  explicit cairo_canvas(cairo_t* cr);

  void colour(rgb c, double alpha) override;
  void line_width(double w) override;
  void dash(double on) override;
  void move_to(double x, double y) override;
  void line_to(double x, double y) override;
  void close_path() override;
  void circle(double x, double y, double r) override;
  void rectangle(double x, double y, double w, double h) override;
  void stroke() override;
  void fill() override;
  void text(double x, double y, std::string_view utf8, double size,
            text_anchor anchor, bool bold) override;
  text_extent measure(std::string_view utf8, double size, bool bold) override;

 private:
  cairo_t* cr_;
};

/// Writes SVG elements: one `<path>` per stroke or fill, one `<text>` per
/// text, escaped. Texts are measured with cairo on a scratch surface.
class svg_canvas : public canvas {
 public:
  svg_canvas(double width, double height);
  ~svg_canvas() override;
  svg_canvas(const svg_canvas&) = delete;
  svg_canvas& operator=(const svg_canvas&) = delete;

  void colour(rgb c, double alpha) override;
  void line_width(double w) override;
  void dash(double on) override;
  void move_to(double x, double y) override;
  void line_to(double x, double y) override;
  void close_path() override;
  void circle(double x, double y, double r) override;
  void rectangle(double x, double y, double w, double h) override;
  void stroke() override;
  void fill() override;
  void text(double x, double y, std::string_view utf8, double size,
            text_anchor anchor, bool bold) override;
  text_extent measure(std::string_view utf8, double size, bool bold) override;

  /// The whole document: an XML declaration line, then one `<svg>` element
  /// (which a page can hold inline from the second line on).
  std::string finish();

 private:
  /// The current colour as the attribute `what` (fill or stroke).
  std::string paint(std::string_view what) const;

  double width_;
  double height_;
  std::string body_;
  std::string path_;
  rgb colour_{0, 0, 0};
  double alpha_ = 1.0;
  double line_width_ = 1.0;
  double dash_ = 0.0;
  cairo_surface_t* scratch_;
  cairo_t* measure_;
};

/// `s` escaped for XML text and for attribute values in double quotes.
std::string xml_escaped(std::string_view s);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_CANVAS_H_
