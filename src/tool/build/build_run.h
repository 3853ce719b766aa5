// `compatta build`: every scenario of a folder compiled as `compatta
// compile` would, several at once, and only those whose texts or compiled
// files changed since the last build.
#ifndef TOOL_BUILD_BUILD_RUN_H_
#define TOOL_BUILD_BUILD_RUN_H_

#include <ostream>
#include <string>

namespace compattatore::tool {

struct build_options {
  /// The folder of route texts NAME_linea.txt and train texts NAME_N-.txt.
  std::string dir;
  /// Where the compiled files and the build state go; empty: `dir`.
  std::string out;
  /// Scenarios compiled at once; 0: one per processor.
  unsigned jobs = 0;
  /// Compile every scenario, whatever the state says.
  bool force = false;
  bool json = false;
  /// Keep a progress line on `err` while working (a terminal).
  bool progress = false;
};

/// Pairs each train text of `o.dir` with its route text, compiles the
/// scenarios that changed and writes the state. Each scenario's diagnostics
/// go to `err`, as `check` prints them; the table of scenarios (or, with
/// `o.json`, a JSON list of per-scenario objects) to `out`. Returns the
/// worst scenario's exit status: 0 all clean, 1 a data fault, 2 a file that
/// cannot be read or written or a train text without its route text (also
/// a folder that cannot be read or holds no train text), 3 a seal guard.
int run_build(const build_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_BUILD_RUN_H_
