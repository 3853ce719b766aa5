// The drawings of the report page, made from the compiled model, each as
// SVG ready to stand inline beside the others.
#ifndef TOOL_REPORT_REPORT_DRAWINGS_H_
#define TOOL_REPORT_REPORT_DRAWINGS_H_

#include <string>
#include <vector>

#include "model/scenario.h"

namespace compattatore::tool {

struct page_drawing {
  /// The element's id, and the prefix of every id inside it.
  std::string id;
  std::string heading;
  /// The `<svg>` element; empty when there is none.
  std::string svg;
  /// Why there is none.
  std::string problem;
};

/// Every drawing of the page, in page order; `title` names the scenario.
std::vector<page_drawing> report_drawings(const scenario& s,
                                          const std::string& title);

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_REPORT_DRAWINGS_H_
