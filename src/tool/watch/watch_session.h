// `compatta watch`: the check of two texts made again on every save, with
// the report page and, when asked, the compiled files kept up to date.
#ifndef TOOL_WATCH_WATCH_SESSION_H_
#define TOOL_WATCH_WATCH_SESSION_H_

#include <ostream>
#include <string>

#include "tool/compilation/scenario_texts.h"

namespace compattatore::tool {

struct watch_options {
  text_options texts;
  /// The page to keep up to date; none when empty.
  std::string report;
  /// Where the compiled files go; none written when empty.
  std::string dir;
};

/// Checks the texts of `o` once, then again after every save of either,
/// printing each check's diagnostics to `out`, until SIGINT, SIGTERM or
/// SIGHUP. Returns the exit status: 0 when ended by one of these, 2 for
/// wrong usage, a text that cannot be read at the start, or a page or
/// folder that cannot be written at the start.
int run_watch(const watch_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_WATCH_WATCH_SESSION_H_
