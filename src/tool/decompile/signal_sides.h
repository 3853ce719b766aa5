// A signal's two sides' codes (sx * 3 + dx), which the compiled files keep
// only mixed with other values: in valore_4 beside the ratio (rapp * 10 +
// codes, low 16 bits) and in the approach codes of the cells before the
// signal (codes * 10 + n, low 8 bits).
#ifndef TOOL_DECOMPILE_SIGNAL_SIDES_H_
#define TOOL_DECOMPILE_SIGNAL_SIDES_H_

#include <cstdint>
#include <optional>
#include <vector>

#include "model/scenario.h"
#include "tool/decompile/recovered_texts.h"

namespace compattatore::tool {

struct lati_segnale {
  std::int32_t lati = 0;
  std::int32_t rapporto = 0;
};

/// The smallest codes (and the ratio beside them in `valore_4`) whose n-th
/// approach code is `preavviso`; nothing when none is.
std::optional<lati_segnale> lati_da_preavviso(std::uint8_t preavviso, int n,
                                              std::int16_t valore_4);
/// Codes 0 to 9 and the ratio from `valore_4` alone.
lati_segnale lati_da_valore(std::int16_t valore_4);

/// The signal row at `cella` (its position the marker's: 50 m before)
/// with `lati` and the rest of the cell's values; the first digits from
/// `valore_1`.
riga_segnale riga_segnale_di(std::size_t c, const cella& k, lati_segnale lati);

/// A cell a record writes into `preavviso`, and the value.
struct scrittura_cella {
  std::size_t cella;
  std::uint8_t preavviso;
};
/// The approach codes a signal row writes.
std::vector<scrittura_cella> codici_segnale(const riga_segnale& s);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_SIGNAL_SIDES_H_
