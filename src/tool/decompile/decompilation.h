// Decompiling one scenario in memory: the seal and the pass's points taken
// off, the route and the train recovered, the reading order found, and
// both texts written out.
#ifndef TOOL_DECOMPILE_DECOMPILATION_H_
#define TOOL_DECOMPILE_DECOMPILATION_H_

#include <string>
#include <vector>

#include "tool/decompile/compiled_input.h"

namespace compattatore::tool {

struct testi_decompilati {
  std::string linea;
  std::string treno;
  /// What could not be recovered or written as it was, for the author.
  std::vector<std::string> avvisi;
};

/// The texts of `c`, whose files were named `file_stazioni` and
/// `file_tracciato` (empty: no route-wide file), for the notes.
testi_decompilati decompila(const compiled_scenario& c,
                            const std::string& file_stazioni,
                            const std::string& file_tracciato);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_DECOMPILATION_H_
