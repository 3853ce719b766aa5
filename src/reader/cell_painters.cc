#include "reader/cell_painters.h"

#include "model/arrotonda.h"
#include "model/codici_errore.h"
#include "reader/field_reader.h"
#include "reader/lettura.h"

namespace compattatore {
namespace {

// Station rows.
constexpr std::int32_t coda_fermata = 150;  // kinds 5 and 6: area end
constexpr std::int32_t coda_opzione_4 = 50;
constexpr std::int32_t lunghezza_opzione_5 = 600;
constexpr std::int32_t distanza_stazioni = 350;
constexpr int categoria_senza_celle = 25;
constexpr int preavviso_stazione = 80;
constexpr int celle_preavviso = 4;

bool area_corta(int categoria) { return categoria == 5 || categoria == 6; }
bool area_doppia(int categoria) { return categoria == 7 || categoria == 8; }

constexpr std::int32_t marcatore_sopra = 10;     // tipo above: free markers
constexpr std::int32_t distanza_contigua = 150;  // stretches this close: 3
constexpr std::int32_t tipo_contiguo = 3;
constexpr std::int32_t ogni_marcatore = 4;
constexpr std::int32_t tempo_minimo = 101;
constexpr std::int32_t sx_con_tempo = 2;

// The cell after the one where position p falls.
std::int32_t cella_dopo(std::int64_t p) {
  return indice_cella(metri_in_celle(p) + 1.0);
}

std::int16_t velocita_cartello(std::int32_t d, std::int32_t s) {
  const auto v = nearest_as<std::int16_t>(static_cast<double>(d) / 5.0 +
                                          static_cast<double>(s) * 20.0);
  if (!v) throw read_failure("indicator value beyond 16 bits");
  return *v;
}

}  // namespace

std::int32_t memo_montagna(scenario& s, std::int32_t inizio, std::int32_t fine,
                           std::int32_t tipo) {
  bool marcatori = false;
  if (tipo > marcatore_sopra) {
    tipo -= marcatore_sopra;
    marcatori = true;
  }
  if (s.conta_montagne + 1 >= numero_montagne) return codice::troppe_montagne;
  const std::int32_t primo = indice_cella(metri_in_celle(inizio));
  const std::int32_t ultimo = indice_cella(metri_in_celle(fine) - 1.0);
  if (ultimo >= primo && (!in_riga(s, primo) || !in_riga(s, ultimo))) {
    return codice::montagna_oltre_celle;
  }

  ++s.conta_montagne;
  const auto n = static_cast<std::size_t>(s.conta_montagne);
  s.inizi_montagna[n] = inizio;
  s.fini_montagna[n] = fine;
  if (s.conta_montagne > 1 &&
      static_cast<std::int64_t>(inizio) - s.fini_montagna[n - 1] <=
          distanza_contigua) {
    tipo = tipo_contiguo;
  }
  std::int32_t conta = 0;
  for (std::int32_t i = primo; i <= ultimo; ++i) {
    cella& c = s.celle[static_cast<std::size_t>(i)];
    ++conta;
    c.montagna = low8(tipo);
    if (marcatori && conta % ogni_marcatore == 0 &&
        c.is(oggetto_cella::nulla)) {
      c.set(oggetto_cella::montagna);
    }
  }
  return codice::nessuno;
}

std::int32_t memo_indicatori_v_max(scenario& s, std::int32_t posizione,
                                   std::int32_t vas, std::int32_t vbs,
                                   std::int32_t vcs, std::int32_t strisces,
                                   std::int32_t vad, std::int32_t vbd,
                                   std::int32_t vcd, std::int32_t strisced) {
  const std::int32_t c = cella_dopo(posizione);
  if (!in_riga(s, c)) return codice::oltre_celle;
  cella& cel = s.celle[static_cast<std::size_t>(c)];
  if (!cel.libera()) return codice::indicatore_occupato;
  cel.set(oggetto_cella::indicatore_v_max);
  cel.valore_1 = velocita_cartello(vad, vas);
  cel.valore_2 = velocita_cartello(vbd, vbs);
  cel.valore_3 = velocita_cartello(vcd, vcs);
  cel.valore_4 = static_cast<std::int16_t>(
      static_cast<std::int64_t>(strisces) * 10 + strisced);
  return codice::nessuno;
}

std::int32_t memo_segnale(scenario& s, std::int32_t posizione, std::int32_t sx,
                          std::int32_t s1, std::int32_t s2, std::int32_t s3,
                          std::int32_t rapp, std::int32_t dx, std::int32_t d1,
                          std::int32_t d2, std::int32_t d3,
                          std::int32_t tempo) {
  if (posizione < posizione_minima_segnale) {
    return codice::segnale_troppo_presto;
  }
  const std::int32_t c = cella_dopo(posizione);
  if (!in_riga(s, c)) return codice::oltre_celle;
  cella& cel = s.celle[static_cast<std::size_t>(c)];
  if (!cel.libera()) return codice::segnale_occupato;

  // 16-bit fields keep the low bits of the sums, which may wrap.
  auto low16_of = [](std::int64_t v) { return static_cast<std::int16_t>(v); };
  const std::int64_t codice_lati = static_cast<std::int64_t>(sx) * 3 + dx;
  cel.set(oggetto_cella::segnale);
  cel.valore_4 = low16_of(static_cast<std::int64_t>(rapp) * 10 + codice_lati);
  cel.valore_1 = low16_of(static_cast<std::int64_t>(s1) * 10 + d1);
  cel.valore_2 = low16_of(static_cast<std::int64_t>(s2) * 10 + d2);
  cel.valore_3 = low16_of(static_cast<std::int64_t>(s3) * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = tempo_minimo;
  cel.tempo_segnale = sx == sx_con_tempo ? low8(tempo) : 0;
  for (std::int32_t k = 1; k <= 4; ++k) {
    s.celle[static_cast<std::size_t>(c - 2 * k)].preavviso =
        static_cast<std::uint8_t>(codice_lati * 10 + k);
  }
  return codice::nessuno;
}

std::int32_t memo_rallentamento(scenario& s, std::int32_t x, std::int32_t v,
                                std::int32_t l, std::int32_t f_tt,
                                std::int32_t f_ta, std::int32_t d_v) {
  const std::int32_t w =
      cella_dopo(static_cast<std::int64_t>(x) - distanza_avviso);
  const std::int32_t st = cella_dopo(x);
  const std::int32_t e = cella_dopo(static_cast<std::int64_t>(x) + l);
  if (!in_riga(s, e)) return codice::rallentamento_fuori_celle;
  if (!in_riga(s, st)) return codice::oltre_celle;
  const bool con_avviso = x > soglia_avviso;
  // The cell before the warning cell, and the three before it.
  const std::int32_t q = indice_cella(
      metri_in_celle(static_cast<std::int64_t>(x) - distanza_avviso));
  if (con_avviso && (!in_riga(s, w) || !in_riga(s, q - 3) || !in_riga(s, q))) {
    return codice::oltre_celle;
  }

  auto at = [&](std::int32_t i) -> cella& {
    return s.celle[static_cast<std::size_t>(i)];
  };
  if (con_avviso) {
    if (!at(w).libera()) return codice::avviso_occupato;
  } else {
    f_ta = 0;
  }
  if (!at(st).libera()) return codice::inizio_occupato;
  if (!at(e).libera()) return codice::fine_occupato;

  at(e).set(oggetto_cella::fine_rallentamento);
  if (d_v != 0) at(e).valore_2 = low16(d_v);
  at(st).set(oggetto_cella::inizio_rallentamento);
  if (d_v != 0) at(st).valore_2 = low16(d_v);
  if (con_avviso) {
    at(w).set(oggetto_cella::avviso_rallentamento);
    if (d_v != 0) at(w).valore_2 = low16(d_v);
    at(w).valore_1 = low16(v);
  }
  for (std::int32_t i : {st, e}) {
    at(i).valore_1 = low16(v);
    at(i).valore_3 = low16(f_tt);
  }
  if (f_ta != 0) {
    for (std::int32_t i = 0; i <= 3; ++i) {
      if (!at(q - i).libera()) return codice::preavvisi_occupati;
    }
    for (std::int32_t i = 0; i <= 3; ++i) {
      at(q - i).set(oggetto_cella::preavviso_rallentamento);
      at(q - i).valore_1 = static_cast<std::int16_t>(i + 1);
      if (d_v != 0) at(q - i).valore_2 = static_cast<std::int16_t>(i + 1);
    }
  }
  return codice::nessuno;
}

std::int32_t memo_stazione(scenario& s, std::int32_t r,
                           std::int32_t lunghezza) {
  stazione& e = s.stazioni[static_cast<std::size_t>(r)];
  const std::int32_t p = e.progressiva;
  // The length is a multiple of 100 by now, so its half is whole and the
  // rounding of the half-length areas changes nothing.
  const int categoria = e.categoria;
  const std::int64_t mezza = lunghezza / 2;
  if (area_corta(categoria)) {
    e.fine_area = somma_32(p, coda_fermata);
    e.inizio_area = somma_32(p, -static_cast<std::int64_t>(lunghezza));
    e.opzione_4 = 0;
  } else if (area_doppia(categoria)) {
    e.inizio_area = somma_32(p, -static_cast<std::int64_t>(lunghezza));
    e.fine_area = somma_32(p, lunghezza);
    e.opzione_4 = 0;
  } else {
    e.inizio_area = somma_32(p, -mezza);
    e.fine_area = somma_32(p, mezza + (e.opzione_4 != 0 ? coda_opzione_4 : 0));
  }
  if (lunghezza < lunghezza_opzione_5) e.opzione_5 = 0;
  // The first station's area has used opzione_4 by now.
  if (r == 1) {
    e.opzione_4 = 0;
    e.opzione_5 = 0;
  }

  const bool con_celle = categoria < categoria_senza_celle;
  const double fine_in_celle = metri_in_celle(e.fine_area);
  if (con_celle && indice_cella(fine_in_celle - 1.0) > s.numero_celle) {
    return codice::stazione_oltre_celle;
  }
  if (con_celle && !area_corta(categoria)) {
    // Approach marks overwrite whatever the cells held, with no free test.
    for (int k = 1; k <= celle_preavviso; ++k) {
      const double t = fine_in_celle - k - 1.0;
      if (t > 1.0) {
        s.celle[static_cast<std::size_t>(indice_cella(t))].preavviso =
            static_cast<std::uint8_t>(preavviso_stazione + k);
      }
    }
  }
  if (con_celle) {
    const double t = fine_in_celle - 1.0;
    if (t <= 1.0) return codice::stazione_troppo_presto;
    // The end marker takes its cell whatever the cell held.
    cella& fine = s.celle[static_cast<std::size_t>(indice_cella(t))];
    fine.set(oggetto_cella::fine_stazione);
    fine.valore_1 = low16(r);
  }
  if (r > 1 && somma_32(e.inizio_area, -distanza_stazioni) <
                   s.stazioni[static_cast<std::size_t>(r - 1)].fine_area) {
    return codice::stazioni_vicine;
  }
  return codice::nessuno;
}

}  // namespace compattatore
