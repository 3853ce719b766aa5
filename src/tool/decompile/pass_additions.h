// What the consistency pass and the seal add to the compiled files,
// recognised and taken off again: the row and table as the readers left
// them, which texts must give for the compile to add the same again.
#ifndef TOOL_DECOMPILE_PASS_ADDITIONS_H_
#define TOOL_DECOMPILE_PASS_ADDITIONS_H_

#include <array>
#include <vector>

#include "model/scenario.h"

namespace compattatore::tool {

/// The seal taken off: cell 1's stamp and check code, entry 85's stamp and
/// weighted check code, all back to the zeros the guards require. The
/// compile computes them again from the names.
void togli_sigillo(std::array<stazione, numero_stazioni>& stazioni,
                   std::vector<cella>& celle);

struct celle_prima_del_passo {
  std::vector<cella> celle;
  /// Cells that held a speed point of the pass: free before it, so a
  /// montagna marker there cannot be told from nothing.
  std::vector<bool> punti_del_passo;
};

/// The row before the consistency pass: every 180 km/h speed point the
/// pass places again by itself taken away. A point the pass would not
/// place (an author's speed cap of 180 km/h, or one it lowered to 180)
/// stays, found by running the pass on the row until it gives `celle`
/// again or nothing more changes.
celle_prima_del_passo prima_del_passo(const std::vector<cella>& celle);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_PASS_ADDITIONS_H_
