#include "tool/decompile/pass_additions.h"

#include <cstddef>

#include "compact/consistency_pass.h"
#include "compact/driver.h"

namespace compattatore::tool {
namespace {

// Each turn keeps at least one point more, so this many turns find them
// all in any row the files hold; it only bounds a damaged row.
constexpr int giri_massimi = 64;

bool punto(const cella& c) {
  return c.is(oggetto_cella::abbattimento) &&
         c.valore_1 == velocita_abbattimento;
}

}  // namespace

void togli_sigillo(std::array<stazione, numero_stazioni>& stazioni,
                   std::vector<cella>& celle) {
  stazione& testata = stazioni[stazione_testata_linea];
  if (testata.numero_1 == timbro_stazioni) {
    testata.numero_1 = 0;
    testata.orario = 0;
  }
  if (celle.size() > 1 && celle[1].valore_1 == timbro_celle) {
    celle[1].valore_1 = 0;
    celle[1].valore_2 = 0;
  }
}

celle_prima_del_passo prima_del_passo(const std::vector<cella>& celle) {
  celle_prima_del_passo out;
  out.celle = celle;
  out.punti_del_passo.assign(celle.size(), false);
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (!punto(celle[c])) continue;
    out.punti_del_passo[c] = true;
    out.celle[c].oggetto = 0;
    out.celle[c].valore_1 = 0;
  }
  scenario s;
  for (int giro = 0; giro < giri_massimi; ++giro) {
    s.celle = out.celle;
    passo_consistenza(s);
    bool cambiata = false;
    for (std::size_t c = 0; c < celle.size(); ++c) {
      if (!out.punti_del_passo[c] || s.celle[c] == celle[c]) continue;
      // The pass does not place this point: the text does.
      out.celle[c] = celle[c];
      out.punti_del_passo[c] = false;
      cambiata = true;
    }
    if (!cambiata) break;
  }
  return out;
}

}  // namespace compattatore::tool
