// `compatta report`: one page that shows what compile makes of two texts.
#ifndef TOOL_REPORT_REPORT_RUN_H_
#define TOOL_REPORT_REPORT_RUN_H_

#include <ostream>
#include <string>

#include "tool/compilation/scenario_texts.h"

namespace compattatore::tool {

/// Compacts the texts of `o` in memory and writes the page to `page`.
/// Diagnostics go to `err` as `check` prints them. Returns the exit
/// status: 0 no data fault, 1 a data fault, 3 a seal guard failed (the
/// page is written in all three), 2 wrong usage or a file that cannot be
/// read or written.
int run_report(const text_options& o, const std::string& page,
               std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_REPORT_RUN_H_
