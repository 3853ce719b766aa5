#include "reader/plan_view.h"

#include <cassert>

#include "reader/field_reader.h"

namespace compattatore {
namespace {

constexpr int asse_x = 0;
constexpr int asse_y = 1;

struct classe_curva {
  char cifra;
  double k;
};

// Radii 10000, 5000, 2500, 1000, 500 and about 333 m.
constexpr classe_curva classi[] = {
    {'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004},
    {'4', 0.001},  {'5', 0.002},  {'6', 0.003},
};

}  // namespace

std::optional<double> curvatura(std::string_view keyword) {
  for (const classe_curva& c : classi) {
    if (keyword.find(c.cifra) == std::string_view::npos) continue;
    return contains_ci(keyword, "s") ? -c.k : c.k;
  }
  return std::nullopt;
}

void plan_view::seed() {
  if (misura_solo_) {
    c_ = 2;
    return;
  }
  assert(t_.metri() >= 2 && "the seed needs metres 0 and 1");
  t_.set_intero(0, asse_x, 0);
  t_.set_intero(0, asse_y, 0);
  t_.set_intero(1, asse_x, 0);
  t_.set_intero(1, asse_y, 1);
  c_ = 2;
}

esito_tracciato plan_view::step(double k) {
  if (c_ > ultimo()) return esito_tracciato::oltre_tracciato;
  if (misura_solo_) {
    ++c_;
    return esito_tracciato::fatto;
  }
  const auto c = static_cast<std::size_t>(c_);
  const double x1 = t_.valore(c - 1, asse_x);
  const double y1 = t_.valore(c - 1, asse_y);
  const double dx = x1 - t_.valore(c - 2, asse_x);
  const double dy = y1 - t_.valore(c - 2, asse_y);
  // The order of these operations is part of the result: the compiled file
  // carries the doubles bit for bit (no contraction into fused operations).
  double x = x1 + dx;
  double y = y1 + dy;
  // On straight track k * dy and k * dx are zeros (the line's values stay
  // finite), and adding or taking a zero changes no sum but a zero one,
  // whose sign it may flip: skipping them there keeps every bit and
  // shortens the chain from one metre to the next, which bounds the speed
  // of the whole line.
  if (k != 0.0 || x == 0.0) x = x + k * dy;
  if (k != 0.0 || y == 0.0) y = y - k * dx;
  t_.set_reale(c, asse_x, x);
  t_.set_reale(c, asse_y, y);
  ++c_;
  return esito_tracciato::fatto;
}

esito_tracciato plan_view::curve_step(double k) {
  const esito_tracciato e = step(k);
  if (e == esito_tracciato::fatto && c_ > metri_massimi) {
    return esito_tracciato::oltre_limite;
  }
  return e;
}

esito_tracciato plan_view::curve(std::int32_t s, std::int32_t n, double k) {
  const std::int64_t fine = static_cast<std::int64_t>(s) + n;
  while (c_ <= s) {
    if (const esito_tracciato e = curve_step(0.0);
        e != esito_tracciato::fatto) {
      return e;
    }
  }
  while (c_ <= fine) {
    if (const esito_tracciato e = curve_step(k); e != esito_tracciato::fatto) {
      return e;
    }
  }
  return esito_tracciato::fatto;
}

esito_tracciato plan_view::finish() {
  while (c_ <= ultimo() - 2) {
    if (const esito_tracciato e = step(0.0); e != esito_tracciato::fatto) {
      return e;
    }
  }
  return esito_tracciato::fatto;
}

}  // namespace compattatore
