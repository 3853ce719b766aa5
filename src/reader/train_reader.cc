#include "reader/train_reader.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/arrotonda.h"
#include "model/codici_errore.h"
#include "model/warnings.h"
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

// "1200 m or 1250 m": the multiples of `passo` on either side of `v`.
std::string intorno(std::int32_t v, std::int32_t passo) {
  const std::int64_t sotto =
      v - ((static_cast<std::int64_t>(v) % passo) + passo) % passo;
  return metri(sotto) + " or " + metri(sotto + passo);
}

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
  esito record(std::string_view keyword, bool& riconosciuto);
  /// The closing steps: delete the text, finish the fills, chainage test.
  void fine();

  esito velocita();
  esito aderenza();
  esito segnale();
  esito rallentamento();
  esito abbattimento();
  esito stazione_riga();
  esito stazione_valori(stazione& e, std::int32_t p, std::size_t campo);

  /// Value `i` of the current record.
  std::int32_t numero(int i) { return l_.i32(i); }

  lettura& l_;
  scenario& s_;
  field_reader& f_;

  std::int32_t puntatore_velocita_ = 0;
  std::int32_t velocita_precedente_ = 0;
  std::size_t campo_velocita_ = 0;  // first field of its row
  std::int32_t puntatore_aderenza_ = 0;
  std::int32_t aderenza_precedente_ = 0;
  std::int32_t r_ = 1;  // the `stazioni` entry of the next station row

  // Recovering only.
  std::optional<text_place> posto_generale_;
  std::vector<text_place> posti_stazioni_;  // by entry, from entry 1
  bool troppe_stazioni_ = false;
  int segnali_ = 0;  // rows, read or not
  int stazioni_ = 0;
};

esito lettore_treno::record(std::string_view k, bool& riconosciuto) {
  stazione& testata = s_.stazioni[stazione_testata_treno_linea];
  stazione& treno = s_.stazioni[stazione_testata_treno];
  auto inizia = [&](text_record_kind kind) {
    riconosciuto = true;
    l_.inizia_record(kind);
  };
  if (contains_ci(k, "frenata") && contains_ci(k, "massa")) {
    inizia(text_record_kind::massa_frenata);
    testata.inizio_area = numero(0);
  }
  if (contains_ci(k, "vetture")) {
    inizia(text_record_kind::vetture);
    testata.progressiva = numero(0);
  }
  if (contains_ci(k, "velocit")) {
    inizia(text_record_kind::velocita);
    if (const esito e = velocita(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "aderenza")) {
    inizia(text_record_kind::aderenza);
    if (const esito e = aderenza(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "orologio")) {
    inizia(text_record_kind::orologio);
    treno.numero_3 = l_.i16(0);
    treno.numero_4 = l_.i16(1);
    treno.numero_5 = l_.i16(2);
  }
  if (contains_ci(k, "sabbia")) {
    inizia(text_record_kind::sabbia);
    treno.numero_1 = l_.i16(0);
  }
  if (contains_ci(k, "segnale")) {
    inizia(text_record_kind::segnale);
    ++segnali_;
    if (const esito e = segnale(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "rallentamento")) {
    inizia(text_record_kind::rallentamento);
    if (const esito e = rallentamento(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "abbattimento")) {
    inizia(text_record_kind::abbattimento);
    if (const esito e = abbattimento(); e != esito::avanti) return e;
  }
  if (contains_ci(k, "stazione")) {
    inizia(text_record_kind::stazione);
    ++stazioni_;
    return stazione_riga();
  }
  return esito::avanti;
}

esito lettore_treno::velocita() {
  const std::int32_t p = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  const std::int32_t v = numero(1);
  if (const esito e = l_.posizione_valida(p, campo, margine_posizione);
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
  if (l_.recupera() && !unita_velocita(v)) {
    // Left out, so that the cells after it keep the speed before it.
    l_.errore(codice::lettura_fallita, l_.posto_ultimo(),
              "the line speed row's speed is " + std::to_string(v) +
                  " km/h; the track holds line speeds up to 1275 km/h");
    return esito::salta;
  }
  velocita_precedente_ = v;
  campo_velocita_ = campo;
  return esito::avanti;
}

esito lettore_treno::aderenza() {
  const std::int32_t p = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  const std::int32_t a = numero(1);
  if (const esito e = l_.posizione_valida(p, campo, margine_posizione);
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
  const std::int32_t posizione = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  const std::int32_t sx = numero(1);
  const std::int32_t s1 = numero(2);
  const std::int32_t s2 = numero(3);
  const std::int32_t s3 = numero(4);
  const std::int32_t rapp = numero(5);
  const std::int32_t dx = numero(6);
  const std::int32_t d1 = numero(7);
  const std::int32_t d2 = numero(8);
  const std::int32_t d3 = numero(9);
  const std::int32_t tempo = numero(10);
  const text_place posto_tempo = l_.posto_ultimo();
  if (const esito e = l_.posizione_valida(posizione, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t code =
      memo_segnale(s_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
  if (code == codice::segnale_troppo_presto) {
    return l_.rifiuta(code, posizione, campo, l_.primo_posto,
                      l_.chi(posizione) +
                          " stands too near the route's start: a signal marks "
                          "the 400 m before it, so it must stand at 350 m or "
                          "more");
  }
  if (code != codice::nessuno) {
    const std::int32_t c = cella_marcatore(posizione);
    return l_.rifiuta(code, posizione, campo, l_.primo_posto,
                      l_.chi(posizione) +
                          " has no room: its 50 m of track already hold " +
                          l_.contenuto_cella(c),
                      l_.occupante(c));
  }
  if (l_.recupera()) {
    l_.marca(cella_marcatore(posizione),
             l_.origine(posizione, &l_.primo_posto));
    if (sx != 2 && tempo != 0) {
      l_.avvisa(avviso::signal_time, posto_tempo,
                "the signal's time " + std::to_string(tempo) +
                    " is not kept: only a signal whose side s code (sx) is 2 "
                    "keeps a time, and this one's is " +
                    std::to_string(sx));
    }
  }
  return esito::avanti;
}

esito lettore_treno::rallentamento() {
  const std::int32_t x = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  const std::int32_t v = numero(1);
  const std::int32_t lunghezza = numero(2);
  const std::int32_t f_tt = numero(3);
  const std::int32_t f_ta = numero(4);
  const std::int32_t d_v = numero(5);
  if (const esito e = l_.posizione_valida(x, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t code =
      memo_rallentamento(s_, x, v, lunghezza, f_tt, f_ta, d_v);
  const std::int64_t xa = static_cast<std::int64_t>(x) - distanza_avviso;
  const std::int32_t w = cella_marcatore(xa);
  const std::int32_t st = cella_marcatore(x);
  const std::int32_t e =
      cella_marcatore(static_cast<std::int64_t>(x) + lunghezza);
  const std::int32_t q = indice_cella(metri_in_celle(xa));
  const std::int32_t origine =
      (l_.recupera() &&
       (code == codice::nessuno || code == codice::preavvisi_occupati))
          ? l_.origine(x, &l_.primo_posto)
          : -1;
  if (origine >= 0) {
    l_.marca(st, origine);
    l_.marca(e, origine);
    if (x > soglia_avviso) l_.marca(w, origine);
    if (code == codice::nessuno && f_ta != 0 && x > soglia_avviso) {
      for (std::int32_t i = 0; i <= 3; ++i) l_.marca(q - i, origine);
    }
  }
  if (code == codice::nessuno) return esito::avanti;
  const std::string chi = l_.chi(x);
  auto senza_posto = [&](std::int32_t c, const std::string& dove) {
    return l_.rifiuta(code, x, campo, l_.primo_posto,
                      chi + " has no room for its " + dove +
                          ": that 50 m of track already holds " +
                          l_.contenuto_cella(c),
                      l_.occupante(c));
  };
  switch (code) {
    case codice::avviso_occupato:
      return senza_posto(w, "warning, 1200 m before it at " + metri(xa));
    case codice::inizio_occupato:
      return senza_posto(st, "start");
    case codice::fine_occupato:
      return senza_posto(
          e, "end at " + metri(static_cast<std::int64_t>(x) + lunghezza));
    case codice::preavvisi_occupati: {
      std::int32_t c = q;
      for (std::int32_t i = 0; i <= 3; ++i) {
        if (in_riga(s_, q - i) &&
            !s_.celle[static_cast<std::size_t>(q - i)].libera()) {
          c = q - i;
          break;
        }
      }
      return senza_posto(c,
                         "four approach marks, the 200 m before its "
                         "warning");
    }
    case codice::rallentamento_fuori_celle:
      return l_.rifiuta(code, x, campo, l_.primo_posto,
                        chi + " with its length of " + metri(lunghezza) +
                            " ends beyond the track (" +
                            metri(s_.lunghezza_estesa) +
                            ": the route's length and 7000 m)");
    default:
      return l_.rifiuta(code, x, campo, l_.primo_posto, l_.oltre(x, 0));
  }
}

esito lettore_treno::abbattimento() {
  const std::int32_t p = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  const std::int32_t w = numero(1);
  if (const esito e = l_.posizione_valida(p, campo, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  // A speed cap goes in the cell where p falls, without the +1 of markers.
  const std::int32_t c = indice_cella(metri_in_celle(p));
  assert(in_riga(s_, c) && "the range test keeps speed caps in the row");
  cella& cel = s_.celle[at(c)];
  if (!cel.libera()) {
    return l_.rifiuta(codice::abbattimento_occupato, p, campo, l_.primo_posto,
                      l_.chi(p) +
                          " has no room: its 50 m of track already hold " +
                          l_.contenuto_cella(c),
                      l_.occupante(c));
  }
  if (w > 0) {
    cel.set(oggetto_cella::abbattimento);
    cel.valore_1 = low16(w);
  } else {
    cel.set(oggetto_cella::abbattimento_senza_velocita);
  }
  l_.marca(c, l_.origine(p, &l_.primo_posto));
  return esito::avanti;
}

esito lettore_treno::stazione_riga() {
  if (troppe_stazioni_) return esito::salta;
  assert(r_ >= 1 && r_ < numero_stazioni && "stations stop at the boards");
  stazione& e = s_.stazioni[at(r_)];
  const std::int32_t p = l_.primo_valore();
  const std::size_t campo = l_.inizio_record;
  e.progressiva = p;
  const esito v = stazione_valori(e, p, campo);
  // Recovering, a station left out leaves its entry to the next one.
  if (v == esito::salta) e = stazione{};
  return v;
}

esito lettore_treno::stazione_valori(stazione& e, std::int32_t p,
                                     std::size_t campo) {
  const std::int32_t r = r_;
  if (const esito v = l_.posizione_valida(p, campo, margine_stazione);
      v != esito::avanti) {
    return v;
  }
  if (p % passo_cella != 0) {
    return l_.rifiuta(codice::stazione_posizione, p, campo, l_.primo_posto,
                      l_.chi(p) +
                          ": a station's position must be a multiple of 50 m, "
                          "such as " +
                          intorno(p, passo_cella));
  }
  e.categoria = l_.u8(1);
  const std::int32_t lunghezza = numero(2);
  if (lunghezza % multiplo_lunghezza != 0) {
    return l_.rifiuta(
        codice::stazione_lunghezza, p, campo, l_.posto_ultimo(),
        l_.chi(p) + " is " + metri(lunghezza) +
            " long: a station's length must be a multiple of 100 m, "
            "such as " +
            intorno(lunghezza, multiplo_lunghezza));
  }
  e.opzione_1 = l_.u8(3);
  e.opzione_5 = l_.u8(4);
  e.opzione_4 = l_.u8(5);
  e.numero_1 = l_.i16(6);
  e.numero_2 = l_.i16(7);
  e.opzione_2 = l_.u8(8);
  e.numero_3 = l_.i16(9);
  e.numero_4 = l_.i16(10);
  e.numero_5 = l_.i16(11);
  e.opzione_3 = l_.u8(12);
  const std::int32_t ore = numero(13);
  const std::int32_t minuti = numero(14);
  const std::int32_t secondi = numero(15);
  const std::int32_t in_minuti =
      somma_32(static_cast<std::int64_t>(ore) * 60, minuti);
  e.orario = somma_32(static_cast<std::int64_t>(in_minuti) * 60, secondi);
  e.nome = std::string(l_.testo(16));
  if (l_.recupera()) l_.nome_letto(e.nome);

  // What the end marker's cell held, before the station takes it.
  std::vector<problem_note> sotto;
  std::int32_t cella_fine = -1;
  const std::string chi = "the station \"" + e.nome + "\" at " + metri(p);
  const std::int32_t code = memo_stazione(s_, r, lunghezza);
  if (l_.recupera() && e.categoria < 25 &&
      (code == codice::nessuno || code == codice::stazioni_vicine)) {
    cella_fine = indice_cella(metri_in_celle(e.fine_area) - 1.0);
    sotto = l_.occupante(cella_fine);
  }
  if (code == codice::stazione_troppo_presto) {
    // A station too near the route start has no position of its own.
    return l_.rifiuta(code, std::nullopt, campo, l_.primo_posto,
                      chi + " ends its area at " + metri(e.fine_area) +
                          ", too near the route's start: its end marker must "
                          "fall after the first 100 m");
  }
  if (code == codice::stazione_oltre_celle) {
    return l_.rifiuta(code, p, campo, l_.primo_posto,
                      chi + " ends its area at " + metri(e.fine_area) +
                          ", beyond the track (" + metri(s_.lunghezza_estesa) +
                          ": the route's length and 7000 m)");
  }
  if (code == codice::stazioni_vicine) {
    const stazione& prima = s_.stazioni[at(r - 1)];
    std::vector<problem_note> notes;
    if (static_cast<std::size_t>(r - 1) <= posti_stazioni_.size() && r > 1 &&
        l_.recupera()) {
      notes.push_back({posti_stazioni_[at(r - 2)],
                       "the station \"" + prima.nome + "\" ends its area at " +
                           metri(prima.fine_area) + " here"});
    }
    const esito f = l_.rifiuta(
        code, p, campo, l_.primo_posto,
        chi + " begins its area at " + metri(e.inizio_area) +
            ", less than 350 m after the station before it ends, at " +
            metri(prima.fine_area) + " (it may begin at " +
            metri(static_cast<std::int64_t>(prima.fine_area) + 350) +
            " at the earliest)",
        std::move(notes));
    if (f == esito::rifiuto) return f;
    // Recovering, the station stays: the stations after it are measured
    // from it as the program would.
  }
  if (l_.recupera()) {
    const std::int32_t o = l_.origine(p, &l_.primo_posto);
    if (cella_fine >= 0) {
      if (!sotto.empty()) {
        l_.avvisa(avviso::station_overwrite, l_.posto_keyword(),
                  chi + " puts its end marker, at " +
                      metri(static_cast<std::int64_t>(e.fine_area) - 50) +
                      ", where the track already holds " +
                      l_.contenuto_cella(cella_fine) + ", which is lost",
                  std::move(sotto));
      }
      l_.marca(cella_fine, o);
    }
    posti_stazioni_.resize(static_cast<std::size_t>(r));
    posti_stazioni_[at(r - 1)] = l_.posto_keyword();
  }
  ++r_;
  if (r_ >= l_.posto_cartello) {
    troppe_stazioni_ = l_.recupera();
    const std::int32_t boards = stazione_primo_cartello - l_.posto_cartello;
    return l_.rifiuta(codice::troppe_stazioni, {}, campo, l_.posto_keyword(),
                      chi +
                          " is one too many: stations and indication boards "
                          "share 80 places, and with " +
                          std::to_string(boards) +
                          " indication boards the route has room for " +
                          std::to_string(l_.posto_cartello - 2) + " stations");
  }
  return esito::avanti;
}

void lettore_treno::leggi() {
  // A train text without the heading is no fault: nothing is read.
  bool trovato = false;
  while (!f_.eof()) {
    s_.riga = std::string(f_.read_text());
    if (contains_ci(s_.riga, titolo_generale)) {
      trovato = true;
      if (l_.recupera()) posto_generale_ = l_.posto_ultimo();
      break;
    }
  }
  if (!trovato) {
    l_.avvisa(avviso::no_general, text_place{quale_testo::treno, 1, 1, 2},
              "the train text has no [generale] heading, so none of its "
              "records is read: the train runs with no station, signal or "
              "slowdown; write \"[generale]\" before its records");
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
    bool riconosciuto = false;
    esito e = esito::avanti;
    if (!l_.recupera()) {
      e = record(keyword, riconosciuto);
    } else {
      l_.segna_keyword();
      try {
        e = record(keyword, riconosciuto);
      } catch (const read_failure& x) {
        l_.fallimento_record(x.what());
        continue;
      }
      if (e == esito::salta) {
        l_.salta_record();
        continue;
      }
      if (riconosciuto) {
        l_.dopo_record();
      } else {
        l_.keyword_non_usata(keyword, false);
      }
    }
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

  const int entries[] = {stazione_progressiva_tre, stazione_progressiva_due,
                         stazione_progressiva_uno};
  for (std::size_t i = 0; i < 3; ++i) {
    const stazione& e = s_.stazioni[at(entries[i])];
    if (e.inizio_area % passo_cella == 0 && e.fine_area % passo_cella == 0) {
      continue;
    }
    if (!l_.recupera()) {
      // The chainage rows are the route text's.
      registra(s_, {codice::progressiva_non_multipla, std::nullopt,
                    punto_lettura{quale_testo::linea, 0, 0}});
      continue;
    }
    const int da = l_.origine_progressiva[i];
    text_place posto{quale_testo::linea, 0, 0, 0};
    if (da >= 0 && l_.posti_progressiva[static_cast<std::size_t>(da)]) {
      posto = *l_.posti_progressiva[static_cast<std::size_t>(da)];
    }
    const bool primo = e.inizio_area % passo_cella != 0;
    const std::int32_t scritto =
        primo ? e.inizio_area : e.fine_area - (e.progressiva == 1 ? 100 : 0);
    l_.errore(codice::progressiva_non_multipla, posto,
              std::string("the chainage row's ") +
                  (primo ? "first" : "second") + " value is " +
                  std::to_string(scritto) +
                  ": the first two values of a \"progressiva\" row must be "
                  "multiples of 50, such as " +
                  intorno(scritto, passo_cella));
  }

  if (l_.recupera() && posto_generale_) {
    if (stazioni_ == 0) {
      l_.avvisa(avviso::empty_train, *posto_generale_,
                "the train has no station: its timetable is empty and it "
                "stops nowhere");
    }
    if (segnali_ == 0) {
      l_.avvisa(avviso::empty_train, *posto_generale_,
                "the train meets no signal on its whole run");
    }
  }
}

}  // namespace

void leggi_treno(lettura& l) {
  // Set first, so that a text that cannot be read is reported as the train
  // text's.
  l.corrente = quale_testo::treno;
  l.apri(quale_testo::treno, l.testi.treno);
  lettore_treno(l).leggi();
}

}  // namespace compattatore
