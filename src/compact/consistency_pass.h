// The pass that completes the cell row with speed-cap points around signals
// and slowdowns, and `minimo`.
#ifndef COMPACT_CONSISTENCY_PASS_H_
#define COMPACT_CONSISTENCY_PASS_H_

#include <cstdint>

#include "model/problem.h"
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
/// `s.codice_errore` / `s.posizione_errore` (cell index x 50) and goes on.
/// Any row works, also an empty one: a look outside the row finds a cell
/// that is neither free nor a signal.
///
/// Two cases the readers never produce get the behaviour safest for the
/// driver:
/// - a slowdown of 110 km/h or more gets no interior points, but the first
///   signal within 12 cells after its end (the first end cell after the
///   start) still gets its point; with no end in the row, nothing;
/// - a slow slowdown with no end before the row's last cell stops its walk
///   there with fault 13 at the last cell, and no signal after it is
///   looked for.
///
/// With `sink`, each fault is also reported there, at the record whose
/// speed point found no room, and each point placed is noted as placed for
/// that record.
void passo_consistenza(scenario& s, problem_sink* sink = nullptr);

}  // namespace compattatore

#endif  // COMPACT_CONSISTENCY_PASS_H_
