// Ordering of the three chainage entries of the station table.
#ifndef READER_POSITION_ORDERING_H_
#define READER_POSITION_ORDERING_H_

#include <array>

#include "model/scenario.h"

namespace compattatore {

/// Reorders the chainage triples (inizio_area, fine_area, progressiva) of
/// entries 81, 82, 83: largest first value first; when the first values add
/// up to 0, the last entry with a second value above 0 changes places with
/// entry 81. A shared largest first value, or no second value above 0 with a
/// zero sum, clears all nine values. Afterwards every entry whose third value
/// is 1 gets 100 more on its second value.
/// Throws read_failure when the sum or an adjusted value leaves 32 bits.
/// `da_dove`, when given, gets for each of entries 81, 82, 83 the entry
/// (0, 1, 2 for 81, 82, 83) its triple came from, or -1 when cleared.
void progressive_ordina(scenario& s, std::array<int, 3>* da_dove = nullptr);

}  // namespace compattatore

#endif  // READER_POSITION_ORDERING_H_
