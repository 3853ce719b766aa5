#include "tool/decompile/under_station_ends.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "reader/lettura.h"
#include "tool/decompile/reading_order.h"
#include "tool/decompile/signal_sides.h"

namespace compattatore::tool {
namespace {

std::int32_t floor_mod(std::int32_t a, std::int32_t b) {
  const std::int32_t r = a % b;
  return r < 0 ? r + b : r;
}

}  // namespace

void recupera_sotto_le_fini(
    const std::array<stazione, numero_stazioni>& stazioni,
    const std::vector<cella>& celle, testi_recuperati& t) {
  testo_treno_recuperato& treno = t.treno;
  // The approach codes the records already recovered explain.
  std::map<std::size_t, std::vector<std::uint8_t>> spiegati;
  for (std::size_t i = 0; i < treno.stazioni.size(); ++i) {
    for (const scrittura_cella& w :
         marchi_stazione(stazioni[i + 1], celle.size())) {
      spiegati[w.cella].push_back(w.preavviso);
    }
  }
  for (const riga_segnale& s : treno.segnali) {
    for (const scrittura_cella& w : codici_segnale(s)) {
      spiegati[w.cella].push_back(w.preavviso);
    }
  }
  auto spiegato = [&](std::size_t c) {
    const auto it = spiegati.find(c);
    if (it == spiegati.end()) return false;
    return std::find(it->second.begin(), it->second.end(),
                     celle[c].preavviso) != it->second.end();
  };

  bool nuovi_indicatori = false;
  for (std::size_t i = 0; i < treno.stazioni.size(); ++i) {
    const stazione& e = stazioni[i + 1];
    if (e.categoria >= 25 || treno.stazioni[i].valori_letti > 0) continue;
    const double t_fine = metri_in_celle(e.fine_area) - 1.0;
    if (t_fine <= 1.0) continue;
    const std::int32_t fine = indice_cella(t_fine);
    if (fine < 0 || static_cast<std::size_t>(fine) >= celle.size()) continue;
    const auto f = static_cast<std::size_t>(fine);
    const cella& k = celle[f];
    if (!k.is(oggetto_cella::fine_stazione)) continue;
    // A signal: approach codes before the cell that nothing else wrote,
    // telling the sides' codes that its valore_4 also holds. Its first
    // digits went with valore_1.
    std::optional<lati_segnale> lati;
    for (std::size_t n = 1; n <= 4 && !lati && f >= 2 * n; ++n) {
      const std::size_t c = f - 2 * n;
      if (spiegato(c) || celle[c].preavviso == 0) continue;
      lati = lati_da_preavviso(celle[c].preavviso, static_cast<int>(n),
                               k.valore_4);
    }
    if (lati) {
      cella sotto = k;
      sotto.valore_1 = 0;
      riga_segnale s = riga_segnale_di(f, sotto, *lati);
      s.sotto_stazione = i;
      treno.segnali.push_back(s);
      continue;
    }
    if (k.valore_2 == 0 && k.valore_3 == 0 && k.valore_4 == 0) continue;
    // Else a maximum-speed board of the route text: its values but the
    // first.
    riga_indicatore b;
    b.posizione = static_cast<std::int32_t>(metro_della_cella(f));
    const std::int16_t v[] = {0, k.valore_2, k.valore_3};
    for (std::size_t j = 0; j < 3; ++j) {
      b.sinistra[j] = (v[j] - floor_mod(v[j], 20)) / 20;
      b.destra[j] = floor_mod(v[j], 20) * 5;
    }
    b.strisce_sinistra = (k.valore_4 - floor_mod(k.valore_4, 10)) / 10;
    b.strisce_destra = floor_mod(k.valore_4, 10);
    t.linea.indicatori.push_back(b);
    nuovi_indicatori = true;
  }
  if (nuovi_indicatori) {
    std::sort(t.linea.indicatori.begin(), t.linea.indicatori.end(),
              [](const riga_indicatore& a, const riga_indicatore& b) {
                return a.posizione < b.posizione;
              });
  }
}

}  // namespace compattatore::tool
