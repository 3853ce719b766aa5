// The pass that completes the cell row with speed-cap points around signals
// and slowdowns, and `minimo`.
#ifndef COMPACT_CONSISTENCY_PASS_H_
#define COMPACT_CONSISTENCY_PASS_H_

#include <cstdint>

#include "model/scenario.h"

namespace compattatore {

/// Speed of every point the pass places, km/h.
inline constexpr std::int16_t velocita_abbattimento = 180;

/// The smaller of x and y; x on a tie.
template <typename X, typename Y>
auto minimo(const X& x, const Y& y) -> std::common_type_t<X, Y> {
  if (x > y) return y;
  return x;
}

/// One forward sweep over `s.celle`; records faults 11, 12 and 13 in
/// `s.codice_errore` / `s.posizione_errore` and goes on.
void passo_consistenza(scenario& s);

}  // namespace compattatore

#endif  // COMPACT_CONSISTENCY_PASS_H_
