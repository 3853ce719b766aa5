// A data fault as the readers and the consistency pass find it, and the one
// way it enters the model.
#ifndef MODEL_GUASTO_H_
#define MODEL_GUASTO_H_

#include <cstdint>
#include <optional>

#include "model/codici_errore.h"
#include "model/scenario.h"

namespace compattatore {

struct guasto {
  std::int32_t codice = codice::nessuno;
  /// In metres, for a fault that has a position.
  std::optional<std::int32_t> posizione;
  /// Where reading stopped, when that is known.
  std::optional<punto_lettura> punto;
};

/// Records `g` in `s`. The code always replaces an earlier one (the last
/// fault recorded is the one reported); a position or place that `g` lacks
/// stays as an earlier fault left it.
inline void registra(scenario& s, const guasto& g) {
  s.codice_errore = g.codice;
  if (g.posizione) s.posizione_errore = *g.posizione;
  if (g.punto) s.punto_errore = *g.punto;
}

}  // namespace compattatore

#endif  // MODEL_GUASTO_H_
