// The report page's style sheet and script, kept in report_page.css and
// report_page.js beside this header and embedded byte for byte when the tool
// is built (cmake/embed_assets.cmake): the page loads nothing.
#ifndef TOOL_REPORT_REPORT_PAGE_ASSETS_H_
#define TOOL_REPORT_REPORT_PAGE_ASSETS_H_

#include <string_view>

namespace compattatore::tool {

/// The page's look.
extern const std::string_view page_style;

/// Opens the text that a link points into, pans and zooms the drawings,
/// shows the kilometre cursor, and (on a page that reloads itself) keeps the
/// reader's place across reloads. It ends by marking the page as ready,
/// which the tests look for. The cursor: the metre under the pointer in
/// either drawing, found from the drawings' own data (the plan's line on
/// the page, the profiles' axis) within 30 screen pixels of the line, is
/// shown in both, as a line across the profiles and a ring on the plan;
/// "#km=12.5" in the address puts it there. The script holds no "//": the
/// page must name nothing outside itself, and the tests look for that.
extern const std::string_view page_script;

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_REPORT_PAGE_ASSETS_H_
