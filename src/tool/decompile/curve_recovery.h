// The route's curve rows recovered from its track line: each metre's turn
// found by stepping from the two stored points before it with every turn
// a curve row can give, runs of one turn joined into rows.
#ifndef TOOL_DECOMPILE_CURVE_RECOVERY_H_
#define TOOL_DECOMPILE_CURVE_RECOVERY_H_

#include <cstdint>
#include <vector>

#include "tool/decompile/recovered_texts.h"
#include "tool/decompile/track_view.h"

namespace compattatore::tool {

struct curve_recuperate {
  /// Metres 0 and 1 hold the seed: the line was begun.
  bool seminato = false;
  /// The first metre not drawn (2 when nothing was drawn after the seed).
  std::int32_t fine_disegno = 0;
  /// In order, none overlapping: drawn in this order they turn every metre
  /// as the stored line does.
  std::vector<riga_curva> righe;
  /// Metres whose point no turn gives from the two before it, or whose
  /// element is of a kind no drawing leaves there.
  std::vector<std::int32_t> metri_guasti;
};

/// The curve rows of `linea`. Where a metre fits no turn it is taken as
/// straight and named in `metri_guasti`; the metres after it are still
/// tested against their own stored points.
curve_recuperate recupera_curve(const vista_tracciato& linea);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_CURVE_RECOVERY_H_
