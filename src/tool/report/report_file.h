// The report page put on disk: made from one check and written whole or not
// at all, never over one of the texts it shows.
#ifndef TOOL_REPORT_REPORT_FILE_H_
#define TOOL_REPORT_REPORT_FILE_H_

#include <cstddef>
#include <string>

#include "tool/compilation/scenario_check.h"
#include "tool/report/report_page.h"

namespace compattatore::tool {

/// Makes the page of `c` and puts it at `path` whole or not at all (a
/// temporary file beside it, renamed over it), never over one of the
/// texts. False with `*err` when it cannot be written; `*size` is the
/// page's size.
[[nodiscard]] bool write_report(const scenario_paths& p,
                                const scenario_check& c,
                                const std::string& path, const page_options& o,
                                std::size_t* size, std::string* err);

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_REPORT_FILE_H_
