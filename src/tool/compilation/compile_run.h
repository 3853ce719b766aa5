// `compile` and `check` over an author's two texts: the texts prepared,
// compacted as the program does, the diagnostics printed and, for compile,
// the compiled set written.
#ifndef TOOL_COMPILATION_COMPILE_RUN_H_
#define TOOL_COMPILATION_COMPILE_RUN_H_

#include <ostream>
#include <string>
#include <vector>

#include "tool/compilation/scenario_texts.h"

namespace compattatore::tool {

struct compile_options {
  text_options texts;
  /// Where the compiled files go (compile only).
  std::string dir = ".";
  /// Compacts with j = 0: no track line is built and no route-wide file
  /// written.
  bool no_track = false;
  bool json = false;
  /// -W flags as given, without the "-W": "no-NAME" silences a warning.
  std::vector<std::string> warning_flags;
  /// Warnings count as errors.
  bool strict = false;
  /// "auto" (when standard error is a terminal and NO_COLOR is not set),
  /// "always" or "never".
  std::string color = "auto";
};

/// Reads both texts, compacts them as the program does and, when `write`,
/// writes the compiled files into `o.dir`. Diagnostics go to `err`; the
/// files written (or, with `o.json`, one JSON object) to `out`. Returns the
/// exit status: 0 no data fault, 1 a data fault (the files are written all
/// the same), 2 wrong usage or a file that cannot be read or written, 3 a
/// seal guard failed (nothing written).
int run_compile(const compile_options& o, bool write, std::ostream& out,
                std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_COMPILE_RUN_H_
