// `compatta report`: one page that shows what compile makes of two texts.
#ifndef TOOL_REPORT_COMMAND_H_
#define TOOL_REPORT_COMMAND_H_

#include <ostream>
#include <string>

#include "tool/compile_command.h"
#include "tool/report_page.h"
#include "tool/scenario_check.h"

namespace compattatore::tool {

/// Makes the page of `c` and puts it at `path` whole or not at all (a
/// temporary file beside it, renamed over it), never over one of the
/// texts. False with `*err` when it cannot be written; `*size` is the
/// page's size.
[[nodiscard]] bool write_report(const scenario_paths& p,
                                const scenario_check& c,
                                const std::string& path, const page_options& o,
                                std::size_t* size, std::string* err);

/// Compacts the texts of `o` in memory and writes the page to `page`.
/// Diagnostics go to `err` as `check` prints them. Returns the exit
/// status: 0 no data fault, 1 a data fault, 3 a seal guard failed (the
/// page is written in all three), 2 wrong usage or a file that cannot be
/// read or written.
int run_report(const compile_options& o, const std::string& page,
               std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_REPORT_COMMAND_H_
