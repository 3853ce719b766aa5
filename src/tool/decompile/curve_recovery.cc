#include "tool/decompile/curve_recovery.h"

#include <array>
#include <bit>
#include <cstddef>
#include <optional>

#include "reader/plan_view.h"

namespace compattatore::tool {
namespace {

struct svolta {
  double k;
  bool sinistra;
  int classe;  // 0 for straight track
};

// Straight first, then the twelve turns of the six classes, each as the
// reader makes it from a curve keyword ("curvad1" to "curvas6").
std::array<svolta, 13> svolte() {
  std::array<svolta, 13> out{};
  out[0] = {0.0, false, 0};
  std::size_t i = 1;
  for (int classe = 1; classe <= 6; ++classe) {
    const char cifra = static_cast<char>('0' + classe);
    const std::string destra = std::string("curvad") + cifra;
    const std::string sinistra = std::string("curvas") + cifra;
    out[i++] = {*curvatura(destra), false, classe};
    out[i++] = {*curvatura(sinistra), true, classe};
  }
  return out;
}

bool stessi_bit(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

curve_recuperate recupera_curve(const vista_tracciato& linea) {
  curve_recuperate out;
  const std::size_t metri = linea.metri();
  if (metri < 2 || linea.tipo(0, 0) == tipo_elemento::vuoto) {
    // Never begun: every element empty (anything else is damage).
    for (std::size_t m = 0; m < metri; ++m) {
      if (linea.tipo(m, 0) != tipo_elemento::vuoto ||
          linea.tipo(m, 1) != tipo_elemento::vuoto) {
        out.metri_guasti.push_back(static_cast<std::int32_t>(m));
      }
    }
    return out;
  }
  out.seminato = true;
  for (std::size_t m = 0; m < 2; ++m) {
    const bool seme = linea.tipo(m, 0) == tipo_elemento::intero &&
                      linea.tipo(m, 1) == tipo_elemento::intero &&
                      linea.valore(m, 0) == 0.0 &&
                      linea.valore(m, 1) == static_cast<double>(m);
    if (!seme) out.metri_guasti.push_back(static_cast<std::int32_t>(m));
  }
  std::size_t fine = 2;
  while (fine < metri && linea.tipo(fine, 0) == tipo_elemento::reale &&
         linea.tipo(fine, 1) == tipo_elemento::reale) {
    ++fine;
  }
  out.fine_disegno = static_cast<std::int32_t>(fine);
  for (std::size_t m = fine; m < metri; ++m) {
    if (linea.tipo(m, 0) != tipo_elemento::vuoto ||
        linea.tipo(m, 1) != tipo_elemento::vuoto) {
      out.metri_guasti.push_back(static_cast<std::int32_t>(m));
    }
  }

  static const std::array<svolta, 13> tutte = svolte();
  std::size_t prec = 0;  // the turn of the metre before: most often the same
  std::optional<std::size_t> corsa;  // the turn of the run being joined
  std::size_t inizio_corsa = 0;
  auto chiudi = [&](std::size_t fino) {
    if (corsa && tutte[*corsa].classe != 0) {
      const svolta& s = tutte[*corsa];
      out.righe.push_back({s.sinistra, s.classe,
                           static_cast<std::int32_t>(inizio_corsa) - 1,
                           static_cast<std::int32_t>(fino - inizio_corsa)});
    }
  };
  punto_tracciato p0{linea.valore(0, 0), linea.valore(0, 1)};
  punto_tracciato p1{linea.valore(1, 0), linea.valore(1, 1)};
  for (std::size_t m = 2; m < fine; ++m) {
    const punto_tracciato p2{linea.valore(m, 0), linea.valore(m, 1)};
    auto prova = [&](std::size_t i) {
      const punto_tracciato p = passo_tracciato(p0, p1, tutte[i].k);
      return stessi_bit(p.x, p2.x) && stessi_bit(p.y, p2.y);
    };
    std::optional<std::size_t> trovata;
    if (prova(prec)) {
      trovata = prec;
    } else {
      for (std::size_t i = 0; i < tutte.size() && !trovata; ++i) {
        if (i != prec && prova(i)) trovata = i;
      }
    }
    if (!trovata) {
      out.metri_guasti.push_back(static_cast<std::int32_t>(m));
      trovata = 0;
    }
    prec = *trovata;
    p0 = p1;
    p1 = p2;
    if (corsa != trovata) {
      chiudi(m);
      corsa = trovata;
      inizio_corsa = m;
    }
  }
  chiudi(fine);
  return out;
}

}  // namespace compattatore::tool
