// What a station's end marker overwrote. The marker takes its cell
// whatever it held and sets only the kind and `valore_1`: the record that
// stood there before leaves its other values behind (and a signal its
// approach codes before it). Those that left nothing are lost and left
// out; the others are recovered, so that the texts leave the same values.
#ifndef TOOL_DECOMPILE_UNDER_STATION_ENDS_H_
#define TOOL_DECOMPILE_UNDER_STATION_ENDS_H_

#include <array>
#include <vector>

#include "model/scenario.h"
#include "tool/decompile/recovered_texts.h"

namespace compattatore::tool {

/// Adds to `t` the signals (read before their station) and maximum-speed
/// boards (in the route text) whose values remain under the stations' end
/// markers of the row `celle` (before the pass). `stazioni`: the table.
void recupera_sotto_le_fini(
    const std::array<stazione, numero_stazioni>& stazioni,
    const std::vector<cella>& celle, testi_recuperati& t);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_UNDER_STATION_ENDS_H_
