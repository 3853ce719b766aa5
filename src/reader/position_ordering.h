// Ordering of the three chainage entries of the station table.
#ifndef READER_POSITION_ORDERING_H_
#define READER_POSITION_ORDERING_H_

#include "model/scenario.h"

namespace compattatore {

/// Reorders the chainage triples (inizio_area, fine_area, progressiva) of
/// entries 81, 82, 83: largest first value first; when the first values add
/// up to 0, the last entry with a second value above 0 changes places with
/// entry 81. A shared largest first value, or no second value above 0 with a
/// zero sum, clears all nine values. Afterwards every entry whose third value
/// is 1 gets 100 more on its second value.
/// Throws read_failure when the sum or an adjusted value leaves 32 bits.
void progressive_ordina(scenario& s);

}  // namespace compattatore

#endif  // READER_POSITION_ORDERING_H_
