#include "model/tracciato.h"

namespace compattatore {

void cammino_tracciato::avanti(std::span<double> x, std::span<double> y) {
  assert(x.size() == y.size());
  std::size_t i = 0;
  avanti(x.size(), [&](double px, double py) {
    x[i] = px;
    y[i] = py;
    ++i;
  });
}

tracciato_linea disegno_tracciato::punti() const {
  tracciato_linea t;
  if (empty()) return t;
  t.make(static_cast<std::int32_t>(metri_ - 1));
  if (!seminato_) return t;
  const auto n = static_cast<std::size_t>(prossimo());
  std::vector<double> x(n);
  std::vector<double> y(n);
  cammino_tracciato(*this).avanti(x, y);
  for (int asse = 0; asse < 2; ++asse) {
    const std::vector<double>& v = asse == 0 ? x : y;
    for (std::size_t m = 0; m < 2; ++m) {
      t.set_intero(m, asse, static_cast<std::int16_t>(v[m]));
    }
    for (std::size_t m = 2; m < n; ++m) t.set_reale(m, asse, v[m]);
  }
  return t;
}

}  // namespace compattatore
