#include "model/tracciato.h"

#include <algorithm>

namespace compattatore {

void cammino_tracciato::avanti(std::span<double> x, std::span<double> y) {
  assert(x.size() == y.size());
  assert((x.empty() ||
          (d_.seminato() &&
           metro_ + x.size() <= static_cast<std::size_t>(d_.prossimo()))) &&
         "only drawn metres have points");
  std::size_t i = 0;
  // Metres 0 and 1 are the seed, which the first step continues.
  for (; i < x.size() && metro_ < 2; ++i, ++metro_) {
    const punto_tracciato p = metro_ == 0 ? p0_ : p1_;
    x[i] = p.x;
    y[i] = p.y;
  }
  const std::span<const disegno_tracciato::tratto> tratti = d_.tratti();
  punto_tracciato p0 = p0_;
  punto_tracciato p1 = p1_;
  while (i < x.size()) {
    const disegno_tracciato::tratto& t = tratti[tratto_];
    const std::size_t fine =
        std::min(static_cast<std::size_t>(t.fine), metro_ + (x.size() - i));
    const double k = t.k;
    // Two loops, so that on straight track the turn's products drop out
    // of the loop (`passo_tracciato` skips them there).
    if (k == 0.0) {
      for (; metro_ < fine; ++metro_, ++i) {
        const punto_tracciato p = passo_tracciato(p0, p1, k);
        x[i] = p.x;
        y[i] = p.y;
        p0 = p1;
        p1 = p;
      }
    } else {
      for (; metro_ < fine; ++metro_, ++i) {
        const punto_tracciato p = passo_tracciato(p0, p1, k);
        x[i] = p.x;
        y[i] = p.y;
        p0 = p1;
        p1 = p;
      }
    }
    if (metro_ == static_cast<std::size_t>(t.fine)) ++tratto_;
  }
  p0_ = p0;
  p1_ = p1;
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
