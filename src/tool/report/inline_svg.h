// A drawing's SVG document made fit to stand inside an HTML page beside
// other drawings: no XML prolog, no namespace URLs, and every id (cairo
// names its glyphs and clips alike in every document) under the drawing's
// own prefix.
#ifndef TOOL_REPORT_INLINE_SVG_H_
#define TOOL_REPORT_INLINE_SVG_H_

#include <string>
#include <string_view>

namespace compattatore::tool {

/// The `<svg>` element of `document` with its ids, and the references to
/// them (`href="#..."`, `url(#...)`), prefixed by `prefix` and a hyphen, and
/// its root given `id="PREFIX"`, class "drawing", its view box and
/// `attributes` (written as given: the caller's own, already escaped).
/// False with `*err` when `document` holds no `<svg` element with a view
/// box.
[[nodiscard]] bool inline_svg(std::string_view document,
                              std::string_view prefix, std::string* out,
                              std::string* err,
                              std::string_view attributes = {});

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_INLINE_SVG_H_
