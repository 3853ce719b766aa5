#include "reader/plan_view.h"

#include <algorithm>
#include <cassert>

#include "reader/field_reader.h"

namespace compattatore {
namespace {

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

esito_tracciato plan_view::steps(std::int64_t fino, double k, bool limitato) {
  assert(t_.seminato() && "the line is drawn from its seed");
  std::int64_t c = t_.prossimo();
  // Metre by metre, each step first tests that its metre is inside the
  // line and, in a curve row, then that the counter has not passed the
  // limit: the same tests here for a whole stretch at once.
  while (c <= fino) {
    if (c > ultimo()) return esito_tracciato::oltre_tracciato;
    std::int64_t last = std::min(fino, ultimo());
    if (limitato) {
      last = std::min(last, std::max(c, std::int64_t{metri_massimi}));
    }
    t_.disegna(static_cast<std::int32_t>(last + 1), k);
    c = last + 1;
    if (limitato && c > metri_massimi) return esito_tracciato::oltre_limite;
  }
  return esito_tracciato::fatto;
}

esito_tracciato plan_view::curve(std::int32_t s, std::int32_t n, double k) {
  if (const esito_tracciato e = steps(s, 0.0, true);
      e != esito_tracciato::fatto) {
    return e;
  }
  return steps(static_cast<std::int64_t>(s) + n, k, true);
}

esito_tracciato plan_view::finish() { return steps(ultimo() - 2, 0.0, false); }

}  // namespace compattatore
