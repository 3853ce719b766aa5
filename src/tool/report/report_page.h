// `compatta report`'s page: one HTML file that holds everything it shows
// (diagnostics with the lines they point at, drawings, tables of the
// compiled records, the files compile would write) and refers to nothing
// outside itself, so it works from disk and can be passed on.
#ifndef TOOL_REPORT_REPORT_PAGE_H_
#define TOOL_REPORT_REPORT_PAGE_H_

#include <string>
#include <vector>

#include "tool/compilation/scenario_check.h"
#include "tool/report/report_drawings.h"

namespace compattatore::tool {

struct page_options {
  /// Written by `watch`: the page reloads itself every `refresh_seconds`,
  /// and says when it was checked.
  bool live = false;
  int refresh_seconds = 2;
  std::string checked_at;
};

/// The page of `c`, checked from the texts at `p`, with `drawings`.
std::string report_page(const scenario_paths& p, const scenario_check& c,
                        const std::vector<page_drawing>& drawings,
                        const page_options& o);

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_REPORT_PAGE_H_
