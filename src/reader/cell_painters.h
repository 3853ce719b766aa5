// The painters that turn one record into marks in the cell row. Each
// returns the fault code it records (0 when it painted), and leaves
// `posizione_errore` to its caller.
#ifndef READER_CELL_PAINTERS_H_
#define READER_CELL_PAINTERS_H_

#include <cstdint>

#include "model/scenario.h"

namespace compattatore {

/// Slowdowns at or before this position have no warning cell.
inline constexpr std::int32_t soglia_avviso = 1500;
/// The warning stands this far before the slowdown start, in metres.
inline constexpr std::int32_t distanza_avviso = 1200;
/// A signal marks approach codes down to 8 cells before its own.
inline constexpr std::int32_t posizione_minima_segnale = 350;

/// Montagna stretch `inizio` to `fine`: code `tipo` (less 10 and with a
/// free marker in every fourth empty cell when above 10; 3 when it begins
/// at most 150 m after the previous stretch ends). Faults: 106 for an 81st
/// stretch, 105 when the stretch ends beyond the row.
[[nodiscard]] std::int32_t memo_montagna(scenario& s, std::int32_t inizio,
                                         std::int32_t fine, std::int32_t tipo);

/// Maximum-speed board: kind 6 in cell nearest(posizione / 50 + 1). Fault
/// 21 when the cell is taken. Throws read_failure when a speed value does
/// not fit 16 bits.
[[nodiscard]] std::int32_t memo_indicatori_v_max(
    scenario& s, std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
    std::int32_t vcs, std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
    std::int32_t vcd, std::int32_t strisced);

/// Signal: kind 1 in cell c = nearest(posizione / 50 + 1), approach codes
/// in cells c - 2, c - 4, c - 6, c - 8. Faults: 108 before 350 m, 16 when
/// the cell is taken.
[[nodiscard]] std::int32_t memo_segnale(scenario& s, std::int32_t posizione,
                                        std::int32_t sx, std::int32_t s1,
                                        std::int32_t s2, std::int32_t s3,
                                        std::int32_t rapp, std::int32_t dx,
                                        std::int32_t d1, std::int32_t d2,
                                        std::int32_t d3, std::int32_t tempo);

/// Slowdown from `x` over `l` metres at speed `v`: end (2), start (3),
/// warning (4, beyond 1500 m) and, when `f_ta` is nonzero, four approach
/// cells (5) before the warning. Faults: 109 when the end cell is outside
/// the row, 17 to 20 when a cell is taken (20 after painting the others).
[[nodiscard]] std::int32_t memo_rallentamento(scenario& s, std::int32_t x,
                                              std::int32_t v, std::int32_t l,
                                              std::int32_t f_tt,
                                              std::int32_t f_ta,
                                              std::int32_t d_v);

/// Station entry `r`, its fields read, at `progressiva` (a multiple of 50)
/// with `lunghezza` (a multiple of 100): its area from the length and
/// kind, and below kind 25 its end marker (10) and approach marks (80 + k,
/// not for kinds 5 and 6) in the row, whatever the cells held. Faults: 110
/// when the end marker is beyond the row, 24 when it would fall at or
/// before cell 1, 22 when the area begins less than 350 m after the
/// previous station's ends.
[[nodiscard]] std::int32_t memo_stazione(scenario& s, std::int32_t r,
                                         std::int32_t lunghezza);

}  // namespace compattatore

#endif  // READER_CELL_PAINTERS_H_
