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
#include "reader/checker_reporter.h"
#include "reader/field_reader.h"
#include "reader/record_reader.h"

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

// Keyword tests, substring searches ignoring case.
bool e_massa_frenata(std::string_view k) {
  return contains_ci(k, "frenata") && contains_ci(k, "massa");
}
bool e_vetture(std::string_view k) { return contains_ci(k, "vetture"); }
bool e_velocita(std::string_view k) { return contains_ci(k, "velocit"); }
bool e_aderenza(std::string_view k) { return contains_ci(k, "aderenza"); }
bool e_orologio(std::string_view k) { return contains_ci(k, "orologio"); }
bool e_sabbia(std::string_view k) { return contains_ci(k, "sabbia"); }
bool e_segnale(std::string_view k) { return contains_ci(k, "segnale"); }
bool e_rallentamento(std::string_view k) {
  return contains_ci(k, "rallentamento");
}
bool e_abbattimento(std::string_view k) {
  return contains_ci(k, "abbattimento");
}
bool e_stazione(std::string_view k) { return contains_ci(k, "stazione"); }

class lettore_treno : record_reader {
 public:
  lettore_treno(lettura& l, reporter& r) : record_reader(l, r), f_(*l.campi) {}

  /// Reads the open train text to its end or its first hard fault.
  void leggi();

 private:
  using voce_treno = voce<lettore_treno>;
  static const voce_treno voci[];

  /// The closing steps: delete the text, finish the fills, chainage test.
  void fine();

  esito massa_frenata();
  esito vetture();
  esito velocita();
  esito aderenza();
  esito orologio();
  esito sabbia();
  esito segnale();
  esito rallentamento();
  esito abbattimento();
  esito stazione_riga();
  esito stazione_valori(stazione& e, std::int32_t p);

  field_reader& f_;

  std::int32_t puntatore_velocita_ = 0;
  std::int32_t velocita_precedente_ = 0;
  std::size_t campo_velocita_ = 0;  // first field of its row
  std::int32_t puntatore_aderenza_ = 0;
  std::int32_t aderenza_precedente_ = 0;
  std::int32_t r_stazione_ = 1;  // the `stazioni` entry of the next station

  std::optional<field_span> generale_;        // the "[generale]" heading
  std::vector<field_span> keyword_stazioni_;  // by entry, from entry 1
  bool troppe_stazioni_ = false;  // recovering: the rest passed over
};

using k = text_record_kind;

// Every test that matches reads its own values, in this order.
const lettore_treno::voce_treno lettore_treno::voci[] = {
    {k::massa_frenata, e_massa_frenata, &lettore_treno::massa_frenata},
    {k::vetture, e_vetture, &lettore_treno::vetture},
    {k::velocita, e_velocita, &lettore_treno::velocita, true},
    {k::aderenza, e_aderenza, &lettore_treno::aderenza, true},
    {k::orologio, e_orologio, &lettore_treno::orologio},
    {k::sabbia, e_sabbia, &lettore_treno::sabbia},
    {k::segnale, e_segnale, &lettore_treno::segnale, true},
    {k::rallentamento, e_rallentamento, &lettore_treno::rallentamento, true},
    {k::abbattimento, e_abbattimento, &lettore_treno::abbattimento, true},
    // A station tests its position, and stores it, before reading on.
    {k::stazione, e_stazione, &lettore_treno::stazione_riga},
};

esito lettore_treno::massa_frenata() {
  s_.stazioni[stazione_testata_treno_linea].inizio_area = l_.i32(0);
  return esito::avanti;
}

esito lettore_treno::vetture() {
  s_.stazioni[stazione_testata_treno_linea].progressiva = l_.i32(0);
  return esito::avanti;
}

esito lettore_treno::orologio() {
  stazione& treno = s_.stazioni[stazione_testata_treno];
  treno.numero_3 = l_.i16(0);
  treno.numero_4 = l_.i16(1);
  treno.numero_5 = l_.i16(2);
  return esito::avanti;
}

esito lettore_treno::sabbia() {
  s_.stazioni[stazione_testata_treno].numero_1 = l_.i16(0);
  return esito::avanti;
}

esito lettore_treno::velocita() {
  const std::int32_t p = letto(0);
  const std::int32_t v = letto(1);
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) {
    riempi_a_gradini(s_, puntatore_velocita_, m, &cella::velocita_linea, [&] {
      const auto u = unita_velocita(velocita_precedente_);
      if (!u) throw read_failure("line speed beyond 1275 km/h");
      return *u;
    });
  }
  if (r_.recupera() && !unita_velocita(v)) {
    // Left out, so that the cells after it keep the speed before it.
    r_.errore(codice::lettura_fallita, [&](const checker_reporter& c) {
      return wording{c.posto_ultimo(),
                     "the line speed row's speed is " + std::to_string(v) +
                         " km/h; the track holds line speeds up to 1275 km/h"};
    });
    return esito::salta;
  }
  velocita_precedente_ = v;
  campo_velocita_ = l_.primo.begin;
  return esito::avanti;
}

esito lettore_treno::aderenza() {
  const std::int32_t p = letto(0);
  const std::int32_t a = letto(1);
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) {
    riempi_a_gradini(s_, puntatore_aderenza_, m, &cella::aderenza,
                     [&] { return low8(aderenza_precedente_); });
  }
  aderenza_precedente_ = a;
  return esito::avanti;
}

esito lettore_treno::segnale() {
  const std::int32_t posizione = letto(0);
  const std::int32_t sx = letto(1);
  const std::int32_t s1 = letto(2);
  const std::int32_t s2 = letto(3);
  const std::int32_t s3 = letto(4);
  const std::int32_t rapp = letto(5);
  const std::int32_t dx = letto(6);
  const std::int32_t d1 = letto(7);
  const std::int32_t d2 = letto(8);
  const std::int32_t d3 = letto(9);
  const std::int32_t tempo = letto(10);
  const field_span campo_tempo = l_.ultimo();
  const std::int32_t code =
      memo_segnale(s_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
  if (code == codice::segnale_troppo_presto) {
    return rifiuta(code, posizione, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     c.chi(posizione) +
                         " stands too near the route's start: a signal marks "
                         "the 400 m before it, so it must stand at 350 m or "
                         "more"};
    });
  }
  if (code != codice::nessuno) {
    const std::int32_t cel = cella_marcatore(posizione);
    return rifiuta(code, posizione, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     c.chi(posizione) +
                         " has no room: its 50 m of track already hold " +
                         c.contenuto_cella(cel),
                     c.occupante(cel)};
    });
  }
  r_.marca(cella_marcatore(posizione), r_.origine(posizione));
  if (sx != 2 && tempo != 0) {
    r_.avviso(avviso::signal_time, [&](const checker_reporter& c) {
      return wording{c.posto(campo_tempo),
                     "the signal's time " + std::to_string(tempo) +
                         " is not kept: only a signal whose side s code (sx) "
                         "is 2 keeps a time, and this one's is " +
                         std::to_string(sx)};
    });
  }
  return esito::avanti;
}

esito lettore_treno::rallentamento() {
  const std::int32_t x = letto(0);
  const std::int32_t v = letto(1);
  const std::int32_t lunghezza = letto(2);
  const std::int32_t f_tt = letto(3);
  const std::int32_t f_ta = letto(4);
  const std::int32_t d_v = letto(5);
  const std::int32_t code =
      memo_rallentamento(s_, x, v, lunghezza, f_tt, f_ta, d_v);
  const std::int64_t xa = static_cast<std::int64_t>(x) - distanza_avviso;
  const std::int32_t w = cella_marcatore(xa);
  const std::int32_t st = cella_marcatore(x);
  const std::int32_t e =
      cella_marcatore(static_cast<std::int64_t>(x) + lunghezza);
  const std::int32_t q = indice_cella(metri_in_celle(xa));
  const std::int32_t origine =
      (code == codice::nessuno || code == codice::preavvisi_occupati)
          ? r_.origine(x)
          : -1;
  if (origine >= 0) {
    r_.marca(st, origine);
    r_.marca(e, origine);
    if (x > soglia_avviso) r_.marca(w, origine);
    if (code == codice::nessuno && f_ta != 0 && x > soglia_avviso) {
      for (std::int32_t i = 0; i <= 3; ++i) r_.marca(q - i, origine);
    }
  }
  if (code == codice::nessuno) return esito::avanti;
  auto senza_posto = [&](std::int32_t cel, const std::string& dove) {
    return rifiuta(code, x, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     c.chi(x) + " has no room for its " + dove +
                         ": that 50 m of track already holds " +
                         c.contenuto_cella(cel),
                     c.occupante(cel)};
    });
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
      std::int32_t cel = q;
      for (std::int32_t i = 0; i <= 3; ++i) {
        if (in_riga(s_, q - i) &&
            !s_.celle[static_cast<std::size_t>(q - i)].libera()) {
          cel = q - i;
          break;
        }
      }
      return senza_posto(cel,
                         "four approach marks, the 200 m before its "
                         "warning");
    }
    case codice::rallentamento_fuori_celle:
      return rifiuta(code, x, [&](const checker_reporter& c) {
        return wording{c.posto_primo(), c.chi(x) + " with its length of " +
                                            metri(lunghezza) +
                                            " ends beyond the track (" +
                                            metri(s_.lunghezza_estesa) +
                                            ": the route's length and 7000 m)"};
      });
    default:
      return rifiuta(code, x, [&](const checker_reporter& c) {
        return wording{c.posto_primo(), c.oltre(x, 0)};
      });
  }
}

esito lettore_treno::abbattimento() {
  const std::int32_t p = letto(0);
  const std::int32_t w = letto(1);
  // A speed cap goes in the cell where p falls, without the +1 of markers.
  const std::int32_t indice = indice_cella(metri_in_celle(p));
  assert(in_riga(s_, indice) && "the range test keeps speed caps in the row");
  cella& cel = s_.celle[at(indice)];
  if (!cel.libera()) {
    return rifiuta(codice::abbattimento_occupato, p,
                   [&](const checker_reporter& c) {
                     return wording{c.posto_primo(),
                                    c.chi(p) +
                                        " has no room: its 50 m of track "
                                        "already hold " +
                                        c.contenuto_cella(indice),
                                    c.occupante(indice)};
                   });
  }
  if (w > 0) {
    cel.set(oggetto_cella::abbattimento);
    cel.valore_1 = low16(w);
  } else {
    cel.set(oggetto_cella::abbattimento_senza_velocita);
  }
  r_.marca(indice, r_.origine(p));
  return esito::avanti;
}

esito lettore_treno::stazione_riga() {
  if (troppe_stazioni_) return esito::salta;
  assert(r_stazione_ >= 1 && r_stazione_ < numero_stazioni &&
         "stations stop at the boards");
  stazione& e = s_.stazioni[at(r_stazione_)];
  const std::int32_t p = l_.i32(0);
  e.progressiva = p;
  const esito v = stazione_valori(e, p);
  // Recovering, a station left out leaves its entry to the next one.
  if (v == esito::salta) e = stazione{};
  return v;
}

esito lettore_treno::stazione_valori(stazione& e, std::int32_t p) {
  const std::int32_t r = r_stazione_;
  const position_rule& regola = *l_.record->position;
  if (const esito v = posizione_valida(p, regola.margine); v != esito::avanti) {
    return v;
  }
  if (p % passo_cella != 0) {
    return rifiuta(
        codice::stazione_posizione, p, [&](const checker_reporter& c) {
          return wording{c.posto_primo(),
                         c.chi(p) +
                             ": a station's position must be a multiple of "
                             "50 m, such as " +
                             intorno(p, passo_cella)};
        });
  }
  e.categoria = l_.u8(1);
  const std::int32_t lunghezza = l_.i32(2);
  if (lunghezza % multiplo_lunghezza != 0) {
    const field_span campo_lunghezza = l_.ultimo();
    return rifiuta(
        codice::stazione_lunghezza, p, [&](const checker_reporter& c) {
          return wording{c.posto(campo_lunghezza),
                         c.chi(p) + " is " + metri(lunghezza) +
                             " long: a station's length must be a multiple "
                             "of 100 m, such as " +
                             intorno(lunghezza, multiplo_lunghezza)};
        });
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
  const std::int32_t ore = l_.i32(13);
  const std::int32_t minuti = l_.i32(14);
  const std::int32_t secondi = l_.i32(15);
  const std::int32_t in_minuti =
      somma_32(static_cast<std::int64_t>(ore) * 60, minuti);
  e.orario = somma_32(static_cast<std::int64_t>(in_minuti) * 60, secondi);
  e.nome = std::string(l_.testo(16));
  r_.testo_letto(e.nome);

  const std::string chi = "the station \"" + e.nome + "\" at " + metri(p);
  const std::int32_t code = memo_stazione(s_, r, lunghezza);
  if (code == codice::stazione_troppo_presto) {
    // A station too near the route start has no position of its own.
    return rifiuta(code, std::nullopt, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     chi + " ends its area at " + metri(e.fine_area) +
                         ", too near the route's start: its end marker must "
                         "fall after the first 100 m"};
    });
  }
  if (code == codice::stazione_oltre_celle) {
    return rifiuta(code, p, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     chi + " ends its area at " + metri(e.fine_area) +
                         ", beyond the track (" + metri(s_.lunghezza_estesa) +
                         ": the route's length and 7000 m)"};
    });
  }
  if (code == codice::stazioni_vicine) {
    const stazione& prima = s_.stazioni[at(r - 1)];
    const esito f = rifiuta(code, p, [&](const checker_reporter& c) {
      std::vector<problem_note> notes;
      if (static_cast<std::size_t>(r - 1) <= keyword_stazioni_.size() &&
          r > 1) {
        notes.push_back({c.posto(keyword_stazioni_[at(r - 2)]),
                         "the station \"" + prima.nome +
                             "\" ends its area at " + metri(prima.fine_area) +
                             " here"});
      }
      return wording{
          c.posto_primo(),
          chi + " begins its area at " + metri(e.inizio_area) +
              ", less than 350 m after the station before it ends, at " +
              metri(prima.fine_area) + " (it may begin at " +
              metri(static_cast<std::int64_t>(prima.fine_area) + 350) +
              " at the earliest)",
          std::move(notes)};
    });
    if (f == esito::rifiuto) return f;
    // Recovering, the station stays: the stations after it are measured
    // from it as the program would.
  }
  const std::int32_t o = r_.origine(p);
  if (o >= 0 && e.categoria < 25) {
    // The end marker's cell, and what it held before the station took it.
    const std::int32_t cella_fine =
        indice_cella(metri_in_celle(e.fine_area) - 1.0);
    if (r_.ha_occupante(cella_fine)) {
      r_.avviso(avviso::station_overwrite, [&](const checker_reporter& c) {
        return wording{c.posto_keyword(),
                       chi + " puts its end marker, at " +
                           metri(static_cast<std::int64_t>(e.fine_area) - 50) +
                           ", where the track already holds " +
                           c.contenuto_cella(cella_fine) + ", which is lost",
                       c.occupante(cella_fine)};
      });
    }
    r_.marca(cella_fine, o);
  }
  keyword_stazioni_.resize(static_cast<std::size_t>(r));
  keyword_stazioni_[at(r - 1)] = l_.keyword;
  ++r_stazione_;
  if (r_stazione_ >= l_.posto_cartello) {
    troppe_stazioni_ = r_.recupera();
    const std::int32_t boards = stazione_primo_cartello - l_.posto_cartello;
    return rifiuta(codice::troppe_stazioni, {}, [&](const checker_reporter& c) {
      return wording{c.posto_keyword(),
                     chi +
                         " is one too many: stations and indication boards "
                         "share 80 places, and with " +
                         std::to_string(boards) +
                         " indication boards the route has room for " +
                         std::to_string(l_.posto_cartello - 2) + " stations"};
    });
  }
  return esito::avanti;
}

void lettore_treno::leggi() {
  // A train text without the heading is no fault: nothing is read.
  while (!f_.eof()) {
    s_.riga = std::string(f_.read_text());
    if (contains_ci(s_.riga, titolo_generale)) {
      generale_ = l_.ultimo();
      break;
    }
  }
  if (!generale_) {
    r_.avviso(avviso::no_general, [](const checker_reporter&) {
      return wording{
          text_place{quale_testo::treno, 1, 1, 2},
          "the train text has no [generale] heading, so none of its records "
          "is read: the train runs with no station, signal or slowdown; "
          "write \"[generale]\" before its records"};
    });
  }

  // A keyword field that is the text's last field is never interpreted.
  while (!f_.eof()) {
    s_.riga = std::string(f_.read_text());
    if (f_.eof()) break;
    const esito e = keyword(*this, meno_record, voci);
    if (e == esito::rifiuto) return;
    if (e == esito::fine_record) break;
  }
  fine();
}

void lettore_treno::fine() {
  if (generale_) {
    // Said while the text is open, where the heading can still be placed.
    const field_span generale = *generale_;
    if (l_.righe[static_cast<std::size_t>(k::stazione)] == 0) {
      r_.avviso(avviso::empty_train, [&](const checker_reporter& c) {
        return wording{c.posto(generale),
                       "the train has no station: its timetable is empty and "
                       "it stops nowhere"};
      });
    }
    if (l_.righe[static_cast<std::size_t>(k::segnale)] == 0) {
      r_.avviso(avviso::empty_train, [&](const checker_reporter& c) {
        return wording{c.posto(generale),
                       "the train meets no signal on its whole run"};
      });
    }
  }
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
    // The chainage rows are the route text's.
    r_.registra({codice::progressiva_non_multipla, std::nullopt,
                 punto_lettura{quale_testo::linea, 0, 0}},
                [&](const checker_reporter& c) {
                  const bool primo = e.inizio_area % passo_cella != 0;
                  const std::int32_t scritto =
                      primo ? e.inizio_area
                            : e.fine_area - (e.progressiva == 1 ? 100 : 0);
                  return wording{
                      c.posto_progressiva(i),
                      std::string("the chainage row's ") +
                          (primo ? "first" : "second") + " value is " +
                          std::to_string(scritto) +
                          ": the first two values of a \"progressiva\" row "
                          "must be multiples of 50, such as " +
                          intorno(scritto, passo_cella)};
                });
  }
}

}  // namespace

void leggi_treno(lettura& l, reporter& r) {
  // Set first, so that a text that cannot be read is reported as the train
  // text's.
  l.corrente = quale_testo::treno;
  l.apri(quale_testo::treno, l.testi.treno);
  r.testo_aperto();
  lettore_treno(l, r).leggi();
}

}  // namespace compattatore
