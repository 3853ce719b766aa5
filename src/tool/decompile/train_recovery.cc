#include "tool/decompile/train_recovery.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "reader/lettura.h"
#include "tool/decompile/signal_sides.h"
#include "tool/decompile/step_rows.h"

namespace compattatore::tool {
namespace {

constexpr std::int32_t passo_velocita = 5;
// Station rows.
constexpr std::int32_t coda_opzione_4 = 50;
constexpr std::int32_t distanza_stazioni = 350;
constexpr int categoria_senza_celle = 25;
// Slowdowns: the warning stands 24 cells before the start, the approach
// marks in the four cells before it; only a start beyond 1500 m has them.
constexpr std::size_t celle_avviso = 24;
constexpr std::int32_t soglia_avviso = 1500;

bool area_corta(int categoria) { return categoria == 5 || categoria == 6; }
bool area_doppia(int categoria) { return categoria == 7 || categoria == 8; }

std::int32_t metro_marcatore(std::size_t c) {
  return static_cast<std::int32_t>(metro_della_cella(c));
}

bool vuota(const stazione& v) { return v == stazione{}; }

// The station row of entry `e`; `parziale` when the entry holds only what
// a faulty row stored before its fault.
riga_stazione riga_di(const stazione& v) {
  riga_stazione r;
  r.posizione = v.progressiva;
  r.categoria = v.categoria;
  if (v.inizio_area == 0 && v.fine_area == 0 && v.progressiva != 0) {
    // The position or the length was refused: the row stored its
    // position (and, with a position of whole cells, its kind) only.
    r.parziale = true;
    if (v.progressiva % passo_cella != 0) {
      r.categoria = 0;
      return r;
    }
    // The values a row stores one by one before its area, in row order
    // from the fourth; the time only once all three of its values are read.
    const std::int32_t dopo_tipo[] = {
        v.opzione_1, v.opzione_5, v.opzione_4, v.numero_1, v.numero_2,
        v.opzione_2, v.numero_3,  v.numero_4,  v.numero_5, v.opzione_3};
    int letti = 0;
    for (int i = 0; i < 10; ++i) {
      if (dopo_tipo[i] != 0) letti = 4 + i;
    }
    if (v.orario != 0) letti = 16;
    if (letti == 0) {
      r.lunghezza = passo_cella;  // refused again, after the kind
      return r;
    }
    // A value that could not be read stopped it: the text ends there.
    r.valori_letti = letti;
  }
  if (r.parziale) {
    r.opzione_1 = v.opzione_1;
    r.opzione_5 = v.opzione_5;
    r.opzione_4 = v.opzione_4;
    r.numero_1 = v.numero_1;
    r.numero_2 = v.numero_2;
    r.opzione_2 = v.opzione_2;
    r.numero_3 = v.numero_3;
    r.numero_4 = v.numero_4;
    r.numero_5 = v.numero_5;
    r.opzione_3 = v.opzione_3;
    r.ore = v.orario / 3600;
    r.minuti = (v.orario % 3600) / 60;
    r.secondi = v.orario % 60;
    return r;
  }
  const std::int64_t prima =
      static_cast<std::int64_t>(v.progressiva) - v.inizio_area;
  if (area_corta(v.categoria) || area_doppia(v.categoria)) {
    r.lunghezza = static_cast<std::int32_t>(prima);
  } else {
    r.lunghezza = static_cast<std::int32_t>(2 * prima);
    const std::int64_t dopo =
        static_cast<std::int64_t>(v.fine_area) - v.progressiva;
    r.opzione_4 = v.opzione_4 != 0 ? v.opzione_4
                                   : (dopo - prima == coda_opzione_4 ? 1 : 0);
  }
  r.opzione_1 = v.opzione_1;
  r.opzione_5 = v.opzione_5;
  r.numero_1 = v.numero_1;
  r.numero_2 = v.numero_2;
  r.opzione_2 = v.opzione_2;
  r.numero_3 = v.numero_3;
  r.numero_4 = v.numero_4;
  r.numero_5 = v.numero_5;
  r.opzione_3 = v.opzione_3;
  // Hours, minutes and seconds add up to the stored seconds.
  r.ore = v.orario / 3600;
  r.minuti = (v.orario % 3600) / 60;
  r.secondi = v.orario % 60;
  r.nome = v.nome;
  return r;
}

// Whether reading the station of entry `e` (of `stazioni`, 1-based) ends
// the text with a fault: too near the one before, beyond the row, too
// near the start, or one too many.
bool guasta(const std::array<stazione, numero_stazioni>& st, std::size_t e,
            std::size_t celle, std::int32_t posto_cartello) {
  const stazione& v = st[e];
  if (e > 1 && static_cast<std::int64_t>(v.inizio_area) - distanza_stazioni <
                   st[e - 1].fine_area) {
    return true;
  }
  if (v.categoria < categoria_senza_celle) {
    const double t = metri_in_celle(v.fine_area) - 1.0;
    if (indice_cella(t) > static_cast<std::int32_t>(celle) || t <= 1.0) {
      return true;
    }
  }
  return static_cast<std::int32_t>(e) + 1 >= posto_cartello;
}

void recupera_stazioni(const std::array<stazione, numero_stazioni>& st,
                       std::size_t celle, std::int32_t cartelli,
                       testo_treno_recuperato& t) {
  const std::int32_t posto_cartello = stazione_primo_cartello - cartelli;
  std::size_t ultima = 0;
  for (std::size_t e = 1; static_cast<std::int32_t>(e) < posto_cartello; ++e) {
    if (!vuota(st[e])) ultima = e;
  }
  for (std::size_t e = 1; e <= ultima; ++e) {
    riga_stazione r = riga_di(st[e]);
    if (!r.parziale && e == ultima && guasta(st, e, celle, posto_cartello)) {
      r.parziale = true;
    }
    t.stazioni.push_back(std::move(r));
  }
}

void recupera_segnali(const std::vector<cella>& r, testo_treno_recuperato& t) {
  for (std::size_t c = 0; c < r.size(); ++c) {
    const cella& k = r[c];
    if (!k.is(oggetto_cella::segnale)) continue;
    // The codes from the first approach code that tells them.
    std::optional<lati_segnale> lati;
    for (std::size_t n = 1; n <= 4 && !lati && c >= 2 * n; ++n) {
      lati = lati_da_preavviso(r[c - 2 * n].preavviso, static_cast<int>(n),
                               k.valore_4);
    }
    t.segnali.push_back(
        riga_segnale_di(c, k, lati ? *lati : lati_da_valore(k.valore_4)));
  }
}

void recupera_rallentamenti(const std::vector<cella>& r,
                            testo_treno_recuperato& t) {
  std::vector<bool> presa(r.size(), false);
  for (std::size_t st = 0; st < r.size(); ++st) {
    const cella& k = r[st];
    if (!k.is(oggetto_cella::inizio_rallentamento)) continue;
    riga_rallentamento s;
    s.velocita = k.valore_1;
    s.tipo = k.valore_3;
    s.variazione = k.valore_2;
    // Its end: the first end after it with the same values.
    std::size_t e = st;
    for (std::size_t i = st + 1; i < r.size(); ++i) {
      const cella& f = r[i];
      if (f.is(oggetto_cella::fine_rallentamento) && !presa[i] &&
          f.valore_1 == k.valore_1 && f.valore_3 == k.valore_3 &&
          f.valore_2 == k.valore_2) {
        e = i;
        break;
      }
    }
    presa[e] = true;
    // Its warning stands 24 cells before it, beyond 1500 m; the approach
    // marks in the four cells before that (one cell further when the start
    // lies half a cell on).
    const bool avviso =
        st >= celle_avviso &&
        r[st - celle_avviso].is(oggetto_cella::avviso_rallentamento);
    std::optional<std::size_t> primo_preavviso;
    for (std::size_t d : {celle_avviso + 1, celle_avviso + 2}) {
      if (avviso && st >= d + 3 &&
          r[st - d].is(oggetto_cella::preavviso_rallentamento) &&
          r[st - d].valore_1 == 1) {
        primo_preavviso = st - d;
        break;
      }
    }
    s.preavviso = primo_preavviso ? 1 : 0;
    // The start's metre: the one nearest the cell's that puts the start,
    // warning and approach marks where they are.
    const std::int32_t base = metro_marcatore(st);
    for (std::int32_t d = 0; d <= passo_cella / 2; ++d) {
      bool trovato = false;
      for (const std::int32_t x : {base + d, base - d}) {
        if (cella_marcatore(x) != static_cast<std::int32_t>(st) ||
            (x > soglia_avviso) != avviso) {
          continue;
        }
        if (primo_preavviso &&
            indice_cella(metri_in_celle(static_cast<std::int64_t>(x) - 1200)) !=
                static_cast<std::int32_t>(*primo_preavviso)) {
          continue;
        }
        s.inizio = x;
        trovato = true;
        break;
      }
      if (trovato) break;
    }
    // Its length: the nearest to whole cells that ends in its end's cell.
    s.lunghezza = 1;
    if (e != st) {
      const std::int32_t celle_lunghe =
          static_cast<std::int32_t>(e - st) * passo_cella;
      for (std::int32_t d = 0; d <= passo_cella / 2; ++d) {
        bool trovato = false;
        for (const std::int32_t l : {celle_lunghe + d, celle_lunghe - d}) {
          if (l >= 1 && cella_marcatore(static_cast<std::int64_t>(s.inizio) +
                                        l) == static_cast<std::int32_t>(e)) {
            s.lunghezza = l;
            trovato = true;
            break;
          }
        }
        if (trovato) break;
      }
    }
    t.rallentamenti.push_back(s);
  }
}

void recupera_abbattimenti(const celle_prima_del_passo& prima,
                           testo_treno_recuperato& t) {
  const std::vector<cella>& r = prima.celle;
  for (std::size_t c = 0; c < r.size(); ++c) {
    const cella& k = r[c];
    // A cap stands in the cell where its position falls, without the
    // marker's one more.
    const std::int32_t p = static_cast<std::int32_t>(c) * passo_cella;
    if (k.is(oggetto_cella::abbattimento)) {
      // Speeds of 0 or less mark a cap's end: a stored speed of that kind
      // came from a larger one's low 16 bits.
      t.abbattimenti.push_back(
          {p, k.valore_1 > 0 ? k.valore_1 : k.valore_1 + 65536});
    } else if (k.is(oggetto_cella::abbattimento_senza_velocita)) {
      t.abbattimenti.push_back({p, 0});
    }
  }
}

}  // namespace

void recupera_treno(const std::array<stazione, numero_stazioni>& st,
                    const celle_prima_del_passo& prima, lettura_linea lettura,
                    testi_recuperati* out) {
  testo_treno_recuperato& t = out->treno;
  const stazione& testata = st[stazione_testata_treno_linea];
  const stazione& treno = st[stazione_testata_treno];
  t.vetture = testata.progressiva;
  t.massa_frenata = testata.inizio_area;
  t.sabbia = treno.numero_1;
  t.orologio = {treno.numero_3, treno.numero_4, treno.numero_5};
  t.non_letto = lettura != lettura_linea::intera;
  if (t.non_letto) return;

  const std::vector<cella>& r = prima.celle;
  t.aderenze = righe_a_gradini(r, &cella::aderenza, 0, true,
                               [](std::uint8_t v) { return v; });
  t.velocita =
      righe_a_gradini(r, &cella::velocita_linea, 0, true, [](std::uint8_t v) {
        return static_cast<std::int32_t>(v) * passo_velocita;
      });
  recupera_stazioni(st, r.size() > 0 ? r.size() - 1 : 0,
                    static_cast<std::int32_t>(out->linea.cartelli.size()), t);
  recupera_rallentamenti(r, t);
  recupera_segnali(r, t);
  recupera_abbattimenti(prima, t);
}

}  // namespace compattatore::tool
