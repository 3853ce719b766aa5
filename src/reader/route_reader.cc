#include "reader/route_reader.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/arrotonda.h"
#include "model/codici_errore.h"
#include "model/warnings.h"
#include "reader/cell_painters.h"
#include "reader/checker_reporter.h"
#include "reader/field_reader.h"
#include "reader/plan_view.h"
#include "reader/position_ordering.h"
#include "reader/record_reader.h"

namespace compattatore {
namespace {

/// Longest route the cell row and the track line are made for.
constexpr std::int32_t lunghezza_massima = 1000000;
/// The row and the line reach this far past the route's end.
constexpr std::int32_t margine_linea = 7000;
/// `pendenza` holds the gradient plus this, modulo 256.
constexpr std::int32_t pendenza_piana = 100;
/// Signal repetition values must be multiples of this.
constexpr std::int32_t passo_ripetizione = 50;
/// Number of codes of a signal repetition.
constexpr std::int32_t quattro_codici = 4;
constexpr std::int32_t nove_codici = 9;
/// Lowest `stazioni` entry an indication board may take.
constexpr std::int32_t ultimo_cartello = 1;

// Keyword tests, substring searches with the case rule of each record.
bool e_generale(std::string_view f) { return contains_ci(f, "[generale]"); }
bool e_lunghezza(std::string_view f) {
  return contains_ci(f, "lunghezza") && contains_ci(f, "percorso");
}
bool e_progressiva(std::string_view f, std::string_view quale) {
  return contains(f, quale) && contains(f, "progressiva");
}
bool e_progressiva_tre(std::string_view f) { return e_progressiva(f, "tre"); }
bool e_progressiva_due(std::string_view f) { return e_progressiva(f, "due"); }
bool e_progressiva_uno(std::string_view f) { return e_progressiva(f, "uno"); }
bool e_sfondo(std::string_view f, std::string_view quale) {
  return contains(f, "sfondo") && contains(f, quale);
}
bool e_sfondo_uno(std::string_view f) { return e_sfondo(f, "uno"); }
bool e_sfondo_due(std::string_view f) { return e_sfondo(f, "due"); }
bool e_sfondo_tre(std::string_view f) { return e_sfondo(f, "tre"); }
bool e_ripetizione(std::string_view f) {
  return contains(f, "segnali") && contains(f, "ripetizione");
}
bool e_pendenza(std::string_view f) { return contains_ci(f, "pendenza"); }
bool e_curva(std::string_view f) { return contains_ci(f, "curva"); }
bool e_montagna(std::string_view f) { return contains_ci(f, "montagna"); }
bool e_indicatore(std::string_view f) { return contains_ci(f, "indicatori_v"); }
bool e_cartello(std::string_view f) {
  return contains_ci(f, "cartello") && contains_ci(f, "indicat");
}
/// The general section ends at a heading that is not marked with a minus.
bool chiude_generale(std::string_view f) {
  const std::size_t primo = f.find_first_not_of(" \t");
  if (primo != std::string_view::npos && f[primo] == '-') return false;
  return contains(f, "[") && contains(f, "]");
}

// One reading of the route text: the general section and the route records
// in one dispatch loop, with the fill pointer and previous value of the
// gradients and the track line being drawn.
class lettore_linea : record_reader {
 public:
  lettore_linea(lettura& l, reporter& r)
      : record_reader(l, r), tracciato_(l.s.tracciato) {}

  [[nodiscard]] bool leggi();

 private:
  using voce_linea = voce<lettore_linea>;
  static const voce_linea voci_generale[];
  static const voce_linea voci_percorso[];

  field_reader& campi() { return *l_.campi; }
  bool fine() const { return l_.campi->eof(); }
  void leggi_riga() { s_.riga.assign(campi().read_text()); }

  bool trova_generale();
  /// The steps between the general section and the route records.
  void fine_generale();
  bool fine_del_testo();

  esito lunghezza();
  esito progressiva(int entry);
  esito progressiva_tre() { return progressiva(stazione_progressiva_tre); }
  esito progressiva_due() { return progressiva(stazione_progressiva_due); }
  esito progressiva_uno() { return progressiva(stazione_progressiva_uno); }
  esito sfondo(std::int32_t stazione::*campo);
  esito sfondo_uno() { return sfondo(&stazione::inizio_area); }
  esito sfondo_due() { return sfondo(&stazione::progressiva); }
  esito sfondo_tre() { return sfondo(&stazione::fine_area); }
  esito ripetizione();
  esito pendenza();
  esito curva();
  esito montagna();
  esito indicatore();
  esito cartello();
  void dipingi_pendenza(std::int32_t fino);

  /// Where the reading stands: the general section, then the route records.
  enum class sezione { generale, percorso };
  sezione sezione_ = sezione::generale;
  plan_view tracciato_;
  bool lunghezza_letta_ = false;
  bool lunghezza_vista_ = false;  // a route length row, readable or not
  field_span generale_;           // the "[generale]" heading
  bool troppe_montagne_ = false;
  bool troppi_cartelli_ = false;
  std::int32_t riempite_ = 0;  // next cell whose gradient is unpainted
  std::int32_t pendenza_prec_ = 0;
};

using k = text_record_kind;

// Every test that matches reads its own values, in this order.
const lettore_linea::voce_linea lettore_linea::voci_generale[] = {
    {k::lunghezza, e_lunghezza, &lettore_linea::lunghezza},
    {k::progressiva, e_progressiva_tre, &lettore_linea::progressiva_tre},
    {k::progressiva, e_progressiva_due, &lettore_linea::progressiva_due},
    {k::progressiva, e_progressiva_uno, &lettore_linea::progressiva_uno},
    {k::sfondo, e_sfondo_uno, &lettore_linea::sfondo_uno},
    {k::sfondo, e_sfondo_due, &lettore_linea::sfondo_due},
    {k::sfondo, e_sfondo_tre, &lettore_linea::sfondo_tre},
    {k::ripetizione, e_ripetizione, &lettore_linea::ripetizione},
};

// Every test that matches is handled, in this order; the indication board
// comes last because it reads its inscription into `riga`.
const lettore_linea::voce_linea lettore_linea::voci_percorso[] = {
    {k::pendenza, e_pendenza, &lettore_linea::pendenza, true},
    {k::curva, e_curva, &lettore_linea::curva, true, true},
    {k::montagna, e_montagna, &lettore_linea::montagna, true},
    {k::indicatore, e_indicatore, &lettore_linea::indicatore, true},
    {k::cartello, e_cartello, &lettore_linea::cartello, true},
};

bool lettore_linea::leggi() {
  if (!l_.fs.exists(l_.testi.linea)) {
    registra(s_, {codice::testo_linea_mancante, std::nullopt,
                  punto_lettura{quale_testo::linea, 0, 0}});
    return false;
  }
  l_.corrente = quale_testo::linea;  // so a text that cannot be read is named
  l_.apri(quale_testo::linea, l_.testi.linea);
  r_.testo_aperto();
  if (!trova_generale()) {
    // Recovering, the train text is read all the same, with no cell row.
    return r_.recupera();
  }
  while (!fine()) {
    leggi_riga();
    if (fine()) break;  // the last field is never tested
    // The general section and the route records differ in their records,
    // their minus-sign rule and in a curve keyword read without a track.
    const bool generale = sezione_ == sezione::generale;
    const esito e = generale
                        ? keyword(*this, meno_generale, voci_generale)
                        : keyword(*this, meno_record, voci_percorso, e_curva);
    if (e == esito::rifiuto) return false;
    if (e == esito::fine_record) break;
    if (generale && e == esito::avanti && chiude_generale(s_.riga)) {
      fine_generale();
    }
  }
  if (sezione_ == sezione::generale) fine_generale();
  return fine_del_testo();
}

bool lettore_linea::trova_generale() {
  for (;;) {
    if (fine()) break;
    leggi_riga();
    if (fine()) break;  // the last field is never tested
    if (e_generale(s_.riga)) {
      generale_ = l_.ultimo();
      return true;
    }
  }
  (void)rifiuta_a(codice::generale_mancante, std::nullopt, campi().last_field(),
                  [](const checker_reporter&) {
                    return wording{
                        text_place{quale_testo::linea, 1, 1, 2},
                        "the route text has no [generale] heading, so nothing "
                        "in it is read: its general values (the route length "
                        "first) must follow a line \"[generale]\""};
                  });
  if (r_.recupera()) l_.chiudi_e_cancella(l_.testi.linea);
  return false;
}

void lettore_linea::fine_generale() {
  sezione_ = sezione::percorso;
  if (!lunghezza_letta_) {
    if (!r_.recupera()) throw read_failure("route text without its length");
    if (!lunghezza_vista_) {
      r_.errore(codice::lettura_fallita, [this](const checker_reporter& c) {
        return wording{
            c.posto(generale_),
            "the route text has no route length: write \"lunghezza "
            "percorso, LENGTH\" (in metres) under [generale]; without it no "
            "position of either text can be placed on the track"};
      });
    }
  }
  // The chainage rows are put in order between the passes.
  bool lette = false;
  for (int e = stazione_progressiva_tre; e <= stazione_progressiva_uno; ++e) {
    const stazione& st = s_.stazioni[static_cast<std::size_t>(e)];
    lette = lette || st.inizio_area != 0 || st.fine_area != 0 ||
            st.progressiva != 0;
  }
  std::array<int, 3> da{};
  progressive_ordina(s_, &da);
  r_.progressive_ordinate(da, lette);
  s_.conta_montagne = 0;
  l_.posto_cartello = stazione_primo_cartello;
  riempite_ = 0;
  pendenza_prec_ = 0;
  if (s_.scrivi_tracciato != 0 && lunghezza_letta_) tracciato_.seed();
}

esito lettore_linea::lunghezza() {
  lunghezza_vista_ = true;
  const std::int32_t lunghezza = l_.i32(0);
  s_.stazioni[stazione_testata_treno_linea].fine_area = lunghezza;
  if (lunghezza < 0) {
    return rifiuta(
        codice::posizione_negativa, lunghezza, [&](const checker_reporter& c) {
          return wording{c.posto_primo(), "the route length is " +
                                              metri(lunghezza) +
                                              ": it cannot be negative"};
        });
  }
  if (lunghezza > lunghezza_massima) {
    return rifiuta(codice::lunghezza_eccessiva, std::nullopt,
                   [&](const checker_reporter& c) {
                     return wording{
                         c.posto_primo(),
                         "the route length is " + metri(lunghezza) +
                             ", above the longest route the track can hold, " +
                             metri(lunghezza_massima)};
                   });
  }
  s_.lunghezza_estesa = lunghezza + margine_linea;
  s_.numero_celle = indice_cella(metri_in_celle(s_.lunghezza_estesa));
  s_.celle.assign(static_cast<std::size_t>(s_.numero_celle) + 1, cella{});
  r_.celle_fatte(s_.celle.size());
  if (s_.scrivi_tracciato != 0) tracciato_.make(s_.lunghezza_estesa);
  lunghezza_letta_ = true;
  return esito::avanti;
}

esito lettore_linea::progressiva(int entry) {
  stazione& e = s_.stazioni[static_cast<std::size_t>(entry)];
  e.inizio_area = l_.i32(0);
  e.fine_area = l_.i32(1);
  e.progressiva = l_.i32(2);
  r_.progressiva_letta(entry - stazione_progressiva_tre);
  return esito::avanti;
}

esito lettore_linea::sfondo(std::int32_t stazione::*campo) {
  s_.stazioni[stazione_testata_linea].*campo = l_.i32(0);
  return esito::avanti;
}

esito lettore_linea::ripetizione() {
  stazione& e = s_.stazioni[stazione_testata_treno];
  e.inizio_area = l_.i32(0);
  e.fine_area = l_.i32(1);
  const field_span fine_campo = l_.ultimo();
  if (e.inizio_area % passo_ripetizione != 0) {
    return rifiuta(codice::ripetizione_inizio, std::nullopt,
                   [&](const checker_reporter& c) {
                     return wording{c.posto_primo(),
                                    "the signal repetition starts at " +
                                        metri(e.inizio_area) +
                                        ", which is not a multiple of 50 m"};
                   });
  }
  if (e.fine_area % passo_ripetizione != 0) {
    return rifiuta(
        codice::ripetizione_fine, std::nullopt, [&](const checker_reporter& c) {
          return wording{c.posto(fine_campo),
                         "the signal repetition ends at " + metri(e.fine_area) +
                             ", which is not a multiple of 50 m"};
        });
  }
  if (contains(s_.riga, "4")) {
    e.progressiva = quattro_codici;
  } else if (contains(s_.riga, "9")) {
    e.progressiva = nove_codici;
  } else {
    return rifiuta(codice::ripetizione_codici, std::nullopt,
                   [&](const checker_reporter& c) {
                     return wording{
                         c.posto_keyword(),
                         "the signal repetition keyword \"" + s_.riga +
                             "\" does not say its number of codes: it must "
                             "hold \"4\" or \"9\", as in \"ripetizione "
                             "segnali 4 codici\""};
                   });
  }
  if (e.fine_area == 0) e.progressiva = 0;
  return esito::avanti;
}

esito lettore_linea::pendenza() {
  const std::int32_t p = letto(0);
  const std::int32_t g = letto(1);
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) dipingi_pendenza(m);
  pendenza_prec_ = g;
  return esito::avanti;
}

esito lettore_linea::curva() {
  const std::int32_t inizio = letto(0);
  const std::int32_t n = letto(1);
  const std::optional<double> k = curvatura(s_.riga);
  if (!k) {
    return rifiuta(codice::curva_o_geometria, std::nullopt,
                   [&](const checker_reporter& c) {
                     return wording{
                         c.posto_keyword(),
                         "curve keyword \"" + s_.riga +
                             "\" has no class digit 1 to 6: write the side "
                             "and the class after \"curva\", as in "
                             "\"curvad3\" (right, class 3) or \"curvas1\" "
                             "(left, class 1)"};
                   });
  }
  const esito_tracciato e = tracciato_.curve(inizio, n, *k);
  if (e == esito_tracciato::oltre_tracciato) {
    return rifiuta(
        codice::curva_o_geometria, inizio, [&](const checker_reporter& c) {
          return wording{c.posto_primo(),
                         c.chi(inizio) + " with its length of " + metri(n) +
                             " runs past the end of the track, " +
                             metri(s_.lunghezza_estesa) +
                             " (the route's length and 7000 m)"};
        });
  }
  if (e == esito_tracciato::oltre_limite) {
    return rifiuta(codice::curva_o_geometria, std::nullopt,
                   [&](const checker_reporter& c) {
                     return wording{c.posto_primo(),
                                    c.chi(inizio) + " with its length of " +
                                        metri(n) +
                                        " takes the track line past 1000000 m"};
                   });
  }
  return esito::avanti;
}

esito lettore_linea::montagna() {
  const std::int32_t inizio = letto(0);
  const std::int32_t fine_tratto = letto(1);
  const std::int32_t tipo = letto(2);
  // Only the first 81st stretch is reported: the later ones follow from it.
  if (troppe_montagne_) return esito::salta;
  const std::int32_t code = memo_montagna(s_, inizio, fine_tratto, tipo);
  if (code == codice::troppe_montagne) {
    troppe_montagne_ = r_.recupera();
    return rifiuta(code, inizio, [&](const checker_reporter& c) {
      return wording{c.posto_keyword(),
                     c.chi(inizio) +
                         " is one too many: a route holds at most 80 "
                         "montagna stretches"};
    });
  }
  if (code > 0) {
    return rifiuta(code, inizio, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     c.chi(inizio) + " ends at " + metri(fine_tratto) +
                         ", beyond the track (" + metri(s_.lunghezza_estesa) +
                         ": the route's length and 7000 m)"};
    });
  }
  return esito::avanti;
}

esito lettore_linea::indicatore() {
  const std::int32_t posizione = letto(0);
  const std::int32_t vas = letto(1);
  const std::int32_t vbs = letto(2);
  const std::int32_t vcs = letto(3);
  const std::int32_t strisces = letto(4);
  const std::int32_t vad = letto(5);
  const std::int32_t vbd = letto(6);
  const std::int32_t vcd = letto(7);
  const std::int32_t strisced = letto(8);
  const std::int32_t code = memo_indicatori_v_max(
      s_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  const std::int32_t cel = cella_marcatore(posizione);
  if (code != 0) {
    return rifiuta(code, posizione, [&](const checker_reporter& c) {
      return wording{c.posto_primo(),
                     c.chi(posizione) +
                         " has no room: its 50 m of track already hold " +
                         c.contenuto_cella(cel),
                     c.occupante(cel)};
    });
  }
  r_.marca(cel, r_.origine(posizione));
  return esito::avanti;
}

esito lettore_linea::cartello() {
  const std::int32_t p = letto(0);
  if (troppi_cartelli_) return esito::salta;
  const std::int32_t indice = indice_cella(metri_in_celle(p) + 1.0);
  assert(in_riga(s_, indice) && "the range test keeps boards inside the row");
  cella& cel = s_.celle[static_cast<std::size_t>(indice)];
  if (!cel.libera()) {
    return rifiuta(codice::cartello_occupato, p,
                   [&](const checker_reporter& c) {
                     return wording{c.posto_primo(),
                                    c.chi(p) +
                                        " has no room: its 50 m of track "
                                        "already hold " +
                                        c.contenuto_cella(indice),
                                    c.occupante(indice)};
                   });
  }
  if (l_.posto_cartello < ultimo_cartello) {
    troppi_cartelli_ = r_.recupera();
    return rifiuta(codice::troppi_cartelli, p, [&](const checker_reporter& c) {
      return wording{c.posto_keyword(),
                     c.chi(p) +
                         " is one too many: a route holds at most 80 "
                         "indication boards"};
    });
  }
  cel.set(oggetto_cella::cartello_indicatore);
  cel.valore_1 = low16(l_.posto_cartello);
  s_.stazioni[static_cast<std::size_t>(l_.posto_cartello)].nome = s_.riga;
  --l_.posto_cartello;
  r_.marca(indice, r_.origine(p));
  return esito::avanti;
}

bool lettore_linea::fine_del_testo() {
  l_.chiudi_e_cancella(l_.testi.linea);
  // The last three cells keep 0.
  dipingi_pendenza(s_.numero_celle - 2);
  if (s_.scrivi_tracciato != 0 && lunghezza_letta_) {
    const esito_tracciato e = tracciato_.finish();
    assert(e == esito_tracciato::fatto && "the finish stays inside the line");
    (void)e;
  }
  return true;
}

// Paints the previous gradient from the fill pointer: one cell at least,
// then on while below `fino`. Many rows at one position push the pointer
// forward one cell each, so it stops at the top of the row.
void lettore_linea::dipingi_pendenza(std::int32_t fino) {
  riempi_a_gradini(s_, riempite_, fino, &cella::pendenza, [this] {
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(pendenza_prec_) +
                                     pendenza_piana);
  });
}

}  // namespace

bool leggi_linea(lettura& l, reporter& r) {
  return lettore_linea(l, r).leggi();
}

}  // namespace compattatore
