// The order the train text's records are written in. Where one record's
// marks fall on another's (a station's approach marks and a signal's
// approach codes share the cells' `preavviso`; a station's end marker
// takes any cell) the files show which was read last: that one is written
// after. Otherwise the compiled-in text's order: stations, slowdowns,
// signals, speed caps.
#ifndef TOOL_DECOMPILE_READING_ORDER_H_
#define TOOL_DECOMPILE_READING_ORDER_H_

#include <array>
#include <vector>

#include "model/scenario.h"
#include "tool/decompile/recovered_texts.h"
#include "tool/decompile/signal_sides.h"

namespace compattatore::tool {

/// The records of `t` in reading order, for the row `celle` (before the
/// pass) and the stations' entries in `stazioni`. A station whose row ends
/// the reading comes last.
std::vector<record_treno> ordine_di_lettura(
    const testo_treno_recuperato& t,
    const std::array<stazione, numero_stazioni>& stazioni,
    const std::vector<cella>& celle);

/// The approach marks a station of entry `e` writes into `preavviso`, in
/// a row of `celle` cells. None for kinds 25 and above.
std::vector<scrittura_cella> marchi_stazione(const stazione& e,
                                             std::size_t celle);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_READING_ORDER_H_
