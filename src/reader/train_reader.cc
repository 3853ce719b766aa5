#include "reader/train_reader.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/arrotonda.h"
#include "model/codici_errore.h"
#include "reader/cell_painters.h"
#include "reader/field_reader.h"

namespace compattatore {
namespace {

constexpr std::string_view titolo_generale = "[generale]";

// Line speeds are stored in steps of 5 km/h in one byte.
constexpr std::int32_t passo_velocita = 5;
constexpr std::int32_t velocita_massima = 1275;
// The closing fills stop below numero_celle - 2: the last three cells of
// the row keep 0.
constexpr std::int32_t celle_senza_riempimento = 2;

// Station rows.
constexpr std::int32_t multiplo_lunghezza = 100;
std::size_t at(std::int32_t c) { return static_cast<std::size_t>(c); }

// nearest(v / 5) as a velocita_linea byte; nothing above 1275 km/h or
// outside the byte.
std::optional<std::uint8_t> unita_velocita(std::int32_t v) {
  if (v > velocita_massima) return std::nullopt;
  return nearest_as<std::uint8_t>(static_cast<double>(v) /
                                  static_cast<double>(passo_velocita));
}

class lettore_treno {
 public:
  explicit lettore_treno(lettura& l) : l_(l), s_(l.s), f_(*l.campi) {}

  /// Reads the open train text to its end or its first hard fault.
  void leggi();

 private:
  /// Tests `keyword` against every record kind in table order; each match
  /// reads its own values.
  esito record(std::string_view keyword);
  /// The closing steps: delete the text, finish the fills, chainage test.
  void fine();

  esito velocita();
  esito aderenza();
  esito segnale();
  esito rallentamento();
  esito abbattimento();
  esito stazione_riga();

  esito verifica(std::int32_t p, std::size_t campo, std::int32_t margine);
  esito ferma(std::int32_t code, std::optional<std::int32_t> posizione,
              std::size_t campo);

  lettura& l_;
  scenario& s_;
  field_reader& f_;

  std::int32_t puntatore_velocita_ = 0;
  std::int32_t velocita_precedente_ = 0;
  std::size_t campo_velocita_ = 0;  // first field of its row
  std::int32_t puntatore_aderenza_ = 0;
  std::int32_t aderenza_precedente_ = 0;
  std::int32_t r_ = 1;  // the `stazioni` entry of the next station row
};

esito lettore_treno::record(std::string_view k) {
  stazione& testata = s_.stazioni[stazione_testata_treno_linea];
  stazione& treno = s_.stazioni[stazione_testata_treno];
  if (contains_ci(k, "frenata") && contains_ci(k, "massa")) {
    testata.inizio_area = f_.read_i32();
  }
  if (contains_ci(k, "vetture")) testata.progressiva = f_.read_i32();
  if (contains_ci(k, "velocit")) {
    if (const esito e = velocita(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "aderenza")) {
    if (const esito e = aderenza(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "orologio")) {
    treno.numero_3 = f_.read_i16();
    treno.numero_4 = f_.read_i16();
    treno.numero_5 = f_.read_i16();
  }
  if (contains_ci(k, "sabbia")) treno.numero_1 = f_.read_i16();
  if (contains_ci(k, "segnale")) {
    if (const esito e = segnale(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "rallentamento")) {
    if (const esito e = rallentamento(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "abbattimento")) {
    if (const esito e = abbattimento(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "stazione")) return stazione_riga();
  return esito::avanti;
}

esito lettore_treno::verifica(std::int32_t p, std::size_t campo,
                              std::int32_t margine) {
  if (p < 0) return ferma(codice::posizione_negativa, p, campo);
  if (!entro_celle(s_, p, margine)) {
    registra(s_, l_.guasto_a(codice::oltre_celle, p, campo));
    return esito::fine_record;
  }
  return esito::avanti;
}

esito lettore_treno::ferma(std::int32_t code,
                           std::optional<std::int32_t> posizione,
                           std::size_t campo) {
  registra(s_, l_.guasto_a(code, posizione, campo));
  l_.chiudi_e_cancella(l_.testi.treno);
  return esito::rifiuto;
}

esito lettore_treno::velocita() {
  const std::int32_t p = f_.read_i32();
  const std::size_t campo = f_.last_field();
  const std::int32_t v = f_.read_i32();
  if (const esito e = verifica(p, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) {
    riempi_a_gradini(s_, puntatore_velocita_, m, &cella::velocita_linea, [&] {
      const auto u = unita_velocita(velocita_precedente_);
      if (!u) throw read_failure("line speed beyond 1275 km/h");
      return *u;
    });
  }
  velocita_precedente_ = v;
  campo_velocita_ = campo;
  return esito::avanti;
}

esito lettore_treno::aderenza() {
  const std::int32_t p = f_.read_i32();
  const std::size_t campo = f_.last_field();
  const std::int32_t a = f_.read_i32();
  if (const esito e = verifica(p, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) {
    riempi_a_gradini(s_, puntatore_aderenza_, m, &cella::aderenza,
                     [&] { return low8(aderenza_precedente_); });
  }
  aderenza_precedente_ = a;
  return esito::avanti;
}

esito lettore_treno::segnale() {
  const std::int32_t posizione = f_.read_i32();
  const std::size_t campo = f_.last_field();
  const std::int32_t sx = f_.read_i32();
  const std::int32_t s1 = f_.read_i32();
  const std::int32_t s2 = f_.read_i32();
  const std::int32_t s3 = f_.read_i32();
  const std::int32_t rapp = f_.read_i32();
  const std::int32_t dx = f_.read_i32();
  const std::int32_t d1 = f_.read_i32();
  const std::int32_t d2 = f_.read_i32();
  const std::int32_t d3 = f_.read_i32();
  const std::int32_t tempo = f_.read_i32();
  if (const esito e = verifica(posizione, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t code =
      memo_segnale(s_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
  if (code != codice::nessuno) return ferma(code, posizione, campo);
  return esito::avanti;
}

esito lettore_treno::rallentamento() {
  const std::int32_t x = f_.read_i32();
  const std::size_t campo = f_.last_field();
  const std::int32_t v = f_.read_i32();
  const std::int32_t lunghezza = f_.read_i32();
  const std::int32_t f_tt = f_.read_i32();
  const std::int32_t f_ta = f_.read_i32();
  const std::int32_t d_v = f_.read_i32();
  if (const esito e = verifica(x, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t code =
      memo_rallentamento(s_, x, v, lunghezza, f_tt, f_ta, d_v);
  if (code != codice::nessuno) return ferma(code, x, campo);
  return esito::avanti;
}

esito lettore_treno::abbattimento() {
  const std::int32_t p = f_.read_i32();
  const std::size_t campo = f_.last_field();
  const std::int32_t w = f_.read_i32();
  if (const esito e = verifica(p, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  // A speed cap goes in the cell where p falls, without the +1 of markers.
  const std::int32_t c = indice_cella(metri_in_celle(p));
  assert(in_riga(s_, c) && "the range test keeps speed caps in the row");
  cella& cel = s_.celle[at(c)];
  if (!cel.libera()) return ferma(codice::abbattimento_occupato, p, campo);
  if (w > 0) {
    cel.set(oggetto_cella::abbattimento);
    cel.valore_1 = low16(w);
  } else {
    cel.set(oggetto_cella::abbattimento_senza_velocita);
  }
  return esito::avanti;
}

esito lettore_treno::stazione_riga() {
  assert(r_ >= 1 && r_ < numero_stazioni && "stations stop at the boards");
  const std::int32_t r = r_;
  stazione& e = s_.stazioni[at(r)];
  const std::int32_t p = f_.read_i32();
  const std::size_t campo = f_.last_field();
  e.progressiva = p;
  if (const esito v = verifica(p, campo, margine_stazione);
      v != esito::avanti) {
    return v;
  }
  if (p % passo_cella != 0) {
    return ferma(codice::stazione_posizione, p, campo);
  }
  e.categoria = f_.read_u8();
  const std::int32_t lunghezza = f_.read_i32();
  if (lunghezza % multiplo_lunghezza != 0) {
    return ferma(codice::stazione_lunghezza, p, campo);
  }
  e.opzione_1 = f_.read_u8();
  e.opzione_5 = f_.read_u8();
  e.opzione_4 = f_.read_u8();
  e.numero_1 = f_.read_i16();
  e.numero_2 = f_.read_i16();
  e.opzione_2 = f_.read_u8();
  e.numero_3 = f_.read_i16();
  e.numero_4 = f_.read_i16();
  e.numero_5 = f_.read_i16();
  e.opzione_3 = f_.read_u8();
  const std::int32_t ore = f_.read_i32();
  const std::int32_t minuti = f_.read_i32();
  const std::int32_t secondi = f_.read_i32();
  const std::int32_t in_minuti =
      somma_32(static_cast<std::int64_t>(ore) * 60, minuti);
  e.orario = somma_32(static_cast<std::int64_t>(in_minuti) * 60, secondi);
  e.nome = std::string(f_.read_text());

  if (const std::int32_t code = memo_stazione(s_, r, lunghezza); code != 0) {
    // A station too near the route start has no position of its own.
    return ferma(code,
                 code == codice::stazione_troppo_presto
                     ? std::nullopt
                     : std::optional<std::int32_t>(p),
                 campo);
  }
  ++r_;
  if (r_ >= l_.posto_cartello) {
    return ferma(codice::troppe_stazioni, {}, campo);
  }
  return esito::avanti;
}

void lettore_treno::leggi() {
  // A train text without the heading is no fault: nothing is read.
  while (!f_.eof()) {
    s_.riga = std::string(f_.read_text());
    if (contains_ci(s_.riga, titolo_generale)) break;
  }

  // A keyword field that is the text's last field is never interpreted.
  while (!f_.eof()) {
    s_.riga = std::string(f_.read_text());
    if (f_.eof()) break;
    bool finito = false;
    for (int i = 0; i < sostituzioni && contains(s_.riga, "-"); ++i) {
      s_.riga = std::string(f_.read_text());
      if (f_.eof()) {
        finito = true;
        break;
      }
    }
    if (finito) break;
    const std::string keyword = s_.riga;
    const esito e = record(keyword);
    if (e == esito::rifiuto) return;
    if (e == esito::fine_record) break;
  }
  fine();
}

void lettore_treno::fine() {
  // Once the text is gone a closing fill can no longer be traced to its
  // row, so find that row first.
  const text_position posto_velocita = f_.position_of(campo_velocita_);
  l_.chiudi_e_cancella(l_.testi.treno);

  const std::int32_t fino = s_.numero_celle - celle_senza_riempimento;
  riempi_a_gradini(s_, puntatore_velocita_, fino, &cella::velocita_linea, [&] {
    const auto u = unita_velocita(velocita_precedente_);
    if (!u) {
      s_.punto_errore = {quale_testo::treno, posto_velocita.line,
                         posto_velocita.column};
      throw read_failure("line speed beyond 1275 km/h");
    }
    return *u;
  });
  riempi_a_gradini(s_, puntatore_aderenza_, fino, &cella::aderenza,
                   [&] { return low8(aderenza_precedente_); });

  for (int i : {stazione_progressiva_tre, stazione_progressiva_due,
                stazione_progressiva_uno}) {
    const stazione& e = s_.stazioni[at(i)];
    if (e.inizio_area % passo_cella != 0 || e.fine_area % passo_cella != 0) {
      // The chainage rows are the route text's.
      registra(s_, {codice::progressiva_non_multipla, std::nullopt,
                    punto_lettura{quale_testo::linea, 0, 0}});
    }
  }
}

}  // namespace

void leggi_treno(lettura& l) {
  // Set first, so that a text that cannot be read is reported as the train
  // text's.
  l.corrente = quale_testo::treno;
  l.apri(quale_testo::treno, l.fs.read(l.testi.treno, limite_testo));
  lettore_treno(l).leggi();
}

}  // namespace compattatore
