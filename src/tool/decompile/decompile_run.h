// `decompile`: a scenario's compiled files turned back into its two texts,
// written beside nothing of the author's unless asked, and proved by
// compiling them again.
#ifndef TOOL_DECOMPILE_DECOMPILE_RUN_H_
#define TOOL_DECOMPILE_DECOMPILE_RUN_H_

#include <ostream>
#include <string>

namespace compattatore::tool {

struct decompile_options {
  /// The station table, NAME_N.sim.
  std::string file;
  /// Empty: found beside it by name.
  std::string cells;
  std::string track;
  std::string dir = ".";
  bool force = false;
};

/// Writes NAME_linea.txt and NAME_N-.txt into `o.dir` and compiles them in
/// memory. Returns 0 when they give every compiled file again byte for
/// byte, 1 when they are the nearest texts to bytes no text gives (each
/// place said on `err`), 2 for wrong usage, a file that cannot be read or
/// is no compiled file of its kind, or texts already there without
/// `o.force` (nothing written then).
int run_decompile(const decompile_options& o, std::ostream& out,
                  std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_DECOMPILE_RUN_H_
