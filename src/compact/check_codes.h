// The two check codes that tie a compiled scenario to its names.
#ifndef COMPACT_CHECK_CODES_H_
#define COMPACT_CHECK_CODES_H_

#include <cstdint>
#include <string_view>

#include "model/scenario.h"

namespace compattatore {

/// Appended to the joined names before the first 25 characters are summed.
inline constexpr std::string_view riempitivo_codici =
    "ppqqrrssttuuvvwwxxyyzzjjkk";
/// Characters of the check text that count.
inline constexpr int caratteri_codice = 25;

/// Plain sum of the first 25 character codes of the check text (train
/// number of entry 86, route name of entry 85, lower-cased, then the
/// filler). Leaves the check text in `s.riga`.
std::int16_t codice_gara_og(scenario& s);
/// The same codes each weighted by its position 1 to 25.
std::int32_t codice_gara_st(scenario& s);

}  // namespace compattatore

#endif  // COMPACT_CHECK_CODES_H_
