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
#include "reader/field_reader.h"
#include "reader/plan_view.h"
#include "reader/position_ordering.h"

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
bool e_sfondo(std::string_view f, std::string_view quale) {
  return contains(f, "sfondo") && contains(f, quale);
}
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
bool ha_meno(std::string_view f) { return contains(f, "-"); }
/// The general section ends at a heading that is not marked with a minus.
bool chiude_generale(std::string_view f) {
  const std::size_t primo = f.find_first_not_of(" \t");
  if (primo != std::string_view::npos && f[primo] == '-') return false;
  return contains(f, "[") && contains(f, "]");
}

// One reading of the route text: its passes, with the fill pointer and
// previous value of the gradients and the track line being drawn.
class lettore_linea {
 public:
  explicit lettore_linea(lettura& l)
      : l_(l), s_(l.s), tracciato_(l.s.tracciato) {}

  [[nodiscard]] bool leggi();

 private:
  field_reader& campi() { return *l_.campi; }
  bool fine() const { return l_.campi->eof(); }
  void leggi_riga() { s_.riga.assign(campi().read_text()); }
  /// Value `i` of the current record.
  std::int32_t numero(int i) { return l_.i32(i); }
  /// One keyword field of the general section, or of the route records.
  esito generale(bool& riconosciuto);
  esito route_record(bool& riconosciuto);
  /// Reports the route text's own end of the general section.
  void senza_lunghezza();

  bool trova_generale();
  esito sezione_generale();
  esito lunghezza();
  void progressiva(int entry);
  esito ripetizione();
  void tra_le_passate();
  esito record_del_percorso();
  esito pendenza();
  esito curva();
  esito montagna();
  esito indicatore();
  esito cartello();
  bool fine_del_testo();
  void dipingi_pendenza(std::int32_t fino);

  lettura& l_;
  scenario& s_;
  plan_view tracciato_;
  bool lunghezza_letta_ = false;
  bool lunghezza_vista_ = false;  // a route length row, readable or not
  text_place posto_generale_;
  std::optional<text_place> lunghezza_fuori_;  // a route length elsewhere
  bool troppe_montagne_ = false;
  bool troppi_cartelli_ = false;
  std::int32_t riempite_ = 0;  // next cell whose gradient is unpainted
  std::int32_t pendenza_prec_ = 0;
};

bool lettore_linea::leggi() {
  if (!l_.fs.exists(l_.testi.linea)) {
    registra(s_, {codice::testo_linea_mancante, std::nullopt,
                  punto_lettura{quale_testo::linea, 0, 0}});
    return false;
  }
  l_.corrente = quale_testo::linea;  // so a text that cannot be read is named
  l_.apri(quale_testo::linea, l_.testi.linea);
  if (!trova_generale()) {
    // Recovering, the train text is read all the same, with no cell row.
    return l_.recupera();
  }
  if (sezione_generale() == esito::rifiuto) return false;
  if (!lunghezza_letta_) {
    if (!l_.recupera()) throw read_failure("route text without its length");
    if (!lunghezza_vista_) senza_lunghezza();
  }
  tra_le_passate();
  if (record_del_percorso() == esito::rifiuto) return false;
  return fine_del_testo();
}

void lettore_linea::senza_lunghezza() {
  std::vector<problem_note> notes;
  if (lunghezza_fuori_) {
    notes.push_back({*lunghezza_fuori_,
                     "a route length here is not read: it stands after the "
                     "general section"});
  }
  l_.errore(codice::lettura_fallita, posto_generale_,
            "the route text has no route length: write \"lunghezza percorso, "
            "LENGTH\" (in metres) under [generale]; without it no position "
            "of either text can be placed on the track",
            std::move(notes));
}

bool lettore_linea::trova_generale() {
  for (;;) {
    if (fine()) break;
    leggi_riga();
    if (fine()) break;  // the last field is never tested
    if (e_generale(s_.riga)) {
      posto_generale_ = l_.posto_ultimo();
      return true;
    }
  }
  (void)l_.rifiuta(codice::generale_mancante, std::nullopt,
                   campi().last_field(),
                   text_place{quale_testo::linea, 1, 1, 2},
                   "the route text has no [generale] heading, so nothing in it "
                   "is read: its general values (the route length first) must "
                   "follow a line \"[generale]\"");
  if (l_.recupera()) l_.chiudi_e_cancella(l_.testi.linea);
  return false;
}

esito lettore_linea::sezione_generale() {
  while (!fine()) {
    leggi_riga();
    if (fine()) break;
    // No end-of-text test between these: reading past the end fails.
    bool riconosciuto = false;
    try {
      for (int i = 0; i < sostituzioni_generale && ha_meno(s_.riga); ++i) {
        leggi_riga();
      }
      if (l_.recupera()) l_.segna_keyword();
      const esito e = generale(riconosciuto);
      if (e == esito::rifiuto) return e;
      if (e == esito::salta) {
        l_.salta_record();
        continue;
      }
    } catch (const read_failure& x) {
      if (!l_.recupera()) throw;
      l_.fallimento_record(x.what());
      continue;
    }
    if (l_.recupera()) {
      if (riconosciuto) {
        l_.dopo_record();
      } else {
        // A heading that ends the section is taken as any other: "[fine]"
        // is noted for the records after it.
        l_.keyword_non_usata(s_.riga, false);
      }
    }
    if (chiude_generale(s_.riga)) break;
  }
  return esito::avanti;
}

esito lettore_linea::generale(bool& riconosciuto) {
  // Every test that matches reads its own values, in this order.
  if (e_lunghezza(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::lunghezza);
    if (const esito e = lunghezza(); e != esito::avanti) return e;
  }
  const std::pair<std::string_view, int> progressive[] = {
      {"tre", stazione_progressiva_tre},
      {"due", stazione_progressiva_due},
      {"uno", stazione_progressiva_uno}};
  for (const auto& [quale, entry] : progressive) {
    if (!e_progressiva(s_.riga, quale)) continue;
    riconosciuto = true;
    l_.inizia_record(text_record_kind::progressiva);
    progressiva(entry);
  }
  stazione& testata = s_.stazioni[stazione_testata_linea];
  if (e_sfondo(s_.riga, "uno")) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::sfondo);
    testata.inizio_area = numero(0);
  }
  if (e_sfondo(s_.riga, "due")) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::sfondo);
    testata.progressiva = numero(0);
  }
  if (e_sfondo(s_.riga, "tre")) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::sfondo);
    testata.fine_area = numero(0);
  }
  if (e_ripetizione(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::ripetizione);
    if (const esito e = ripetizione(); e != esito::avanti) return e;
  }
  return esito::avanti;
}

esito lettore_linea::lunghezza() {
  lunghezza_vista_ = true;
  const std::int32_t lunghezza = l_.primo_valore();
  s_.stazioni[stazione_testata_treno_linea].fine_area = lunghezza;
  if (lunghezza < 0) {
    return l_.rifiuta(
        codice::posizione_negativa, lunghezza, l_.inizio_record, l_.primo_posto,
        "the route length is " + metri(lunghezza) + ": it cannot be negative");
  }
  if (lunghezza > lunghezza_massima) {
    return l_.rifiuta(codice::lunghezza_eccessiva, std::nullopt,
                      l_.inizio_record, l_.primo_posto,
                      "the route length is " + metri(lunghezza) +
                          ", above the longest route the track can hold, " +
                          metri(lunghezza_massima));
  }
  s_.lunghezza_estesa = lunghezza + margine_linea;
  s_.numero_celle = indice_cella(metri_in_celle(s_.lunghezza_estesa));
  s_.celle.assign(static_cast<std::size_t>(s_.numero_celle) + 1, cella{});
  if (l_.sink) l_.sink->size_cells(s_.celle.size());
  if (s_.scrivi_tracciato != 0) tracciato_.make(s_.lunghezza_estesa);
  lunghezza_letta_ = true;
  return esito::avanti;
}

void lettore_linea::progressiva(int entry) {
  stazione& e = s_.stazioni[static_cast<std::size_t>(entry)];
  e.inizio_area = numero(0);
  const text_place posto = l_.posto_ultimo();
  e.fine_area = numero(1);
  e.progressiva = numero(2);
  if (l_.recupera()) {
    l_.posti_progressiva[static_cast<std::size_t>(
        entry - stazione_progressiva_tre)] = posto;
  }
}

esito lettore_linea::ripetizione() {
  stazione& e = s_.stazioni[stazione_testata_treno];
  e.inizio_area = l_.primo_valore();
  e.fine_area = numero(1);
  const text_place fine_posto = l_.posto_ultimo();
  if (e.inizio_area % passo_ripetizione != 0) {
    return l_.rifiuta(codice::ripetizione_inizio, std::nullopt,
                      l_.inizio_record, l_.primo_posto,
                      "the signal repetition starts at " +
                          metri(e.inizio_area) +
                          ", which is not a multiple of 50 m");
  }
  if (e.fine_area % passo_ripetizione != 0) {
    return l_.rifiuta(codice::ripetizione_fine, std::nullopt, l_.inizio_record,
                      fine_posto,
                      "the signal repetition ends at " + metri(e.fine_area) +
                          ", which is not a multiple of 50 m");
  }
  if (contains(s_.riga, "4")) {
    e.progressiva = quattro_codici;
  } else if (contains(s_.riga, "9")) {
    e.progressiva = nove_codici;
  } else {
    return l_.rifiuta(codice::ripetizione_codici, std::nullopt,
                      l_.inizio_record, l_.posto_keyword(),
                      "the signal repetition keyword \"" + s_.riga +
                          "\" does not say its number of codes: it must hold "
                          "\"4\" or \"9\", as in \"ripetizione segnali 4 "
                          "codici\"");
  }
  if (e.fine_area == 0) e.progressiva = 0;
  return esito::avanti;
}

void lettore_linea::tra_le_passate() {
  if (!l_.recupera()) {
    progressive_ordina(s_);
  } else {
    bool letti = false;
    for (int e = stazione_progressiva_tre; e <= stazione_progressiva_uno; ++e) {
      const stazione& st = s_.stazioni[static_cast<std::size_t>(e)];
      letti = letti || st.inizio_area != 0 || st.fine_area != 0 ||
              st.progressiva != 0;
    }
    progressive_ordina(s_, &l_.origine_progressiva);
    bool rimasti = false;
    for (int e = stazione_progressiva_tre; e <= stazione_progressiva_uno; ++e) {
      const stazione& st = s_.stazioni[static_cast<std::size_t>(e)];
      rimasti = rimasti || st.inizio_area != 0 || st.fine_area != 0 ||
                st.progressiva != 0;
    }
    if (letti && !rimasti) {
      for (const auto& posto : l_.posti_progressiva) {
        if (!posto) continue;
        l_.avvisa(avviso::chainage_cleared, *posto,
                  "the chainage rows are all cleared to 0: two of them share "
                  "the largest first value (or the first values add up to 0 "
                  "and no second value is above 0)");
        break;
      }
    }
  }
  s_.conta_montagne = 0;
  l_.posto_cartello = stazione_primo_cartello;
  riempite_ = 0;
  pendenza_prec_ = 0;
  if (s_.scrivi_tracciato != 0 && lunghezza_letta_) tracciato_.seed();
}

esito lettore_linea::record_del_percorso() {
  while (!fine()) {
    leggi_riga();
    if (fine()) break;
    for (int i = 0; i < sostituzioni && ha_meno(s_.riga); ++i) {
      leggi_riga();
      if (fine()) return esito::avanti;
    }
    bool riconosciuto = false;
    esito e = esito::avanti;
    if (!l_.recupera()) {
      e = route_record(riconosciuto);
    } else {
      l_.segna_keyword();
      try {
        e = route_record(riconosciuto);
      } catch (const read_failure& x) {
        l_.fallimento_record(x.what());
        continue;
      }
      if (e == esito::salta) {
        l_.salta_record();
        continue;
      }
      if (riconosciuto && e == esito::avanti) {
        l_.dopo_record();
      } else if (!riconosciuto) {
        if (e_lunghezza(s_.riga)) lunghezza_fuori_ = l_.posto_keyword();
        l_.keyword_non_usata(s_.riga, e_curva(s_.riga));
      }
    }
    if (e != esito::avanti) return e;
  }
  return esito::avanti;
}

esito lettore_linea::route_record(bool& riconosciuto) {
  // Every test that matches is handled, in this order; the indication
  // board comes last because it reads its inscription into `riga`.
  if (e_pendenza(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::pendenza);
    if (const esito e = pendenza(); e != esito::avanti) return e;
  }
  if (s_.scrivi_tracciato != 0 && e_curva(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::curva);
    if (const esito e = curva(); e != esito::avanti) return e;
  }
  if (e_montagna(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::montagna);
    if (const esito e = montagna(); e != esito::avanti) return e;
  }
  if (e_indicatore(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::indicatore);
    if (const esito e = indicatore(); e != esito::avanti) return e;
  }
  if (e_cartello(s_.riga)) {
    riconosciuto = true;
    l_.inizia_record(text_record_kind::cartello);
    if (const esito e = cartello(); e != esito::avanti) return e;
  }
  return esito::avanti;
}

esito lettore_linea::pendenza() {
  const std::int32_t p = l_.primo_valore();
  const std::int32_t g = numero(1);
  if (const esito e =
          l_.posizione_valida(p, l_.inizio_record, margine_posizione);
      e != esito::avanti)
    return e;
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) dipingi_pendenza(m);
  pendenza_prec_ = g;
  return esito::avanti;
}

esito lettore_linea::curva() {
  const std::int32_t inizio = l_.primo_valore();
  const std::int32_t n = numero(1);
  if (const esito e =
          l_.posizione_valida(inizio, l_.inizio_record, margine_posizione);
      e != esito::avanti)
    return e;
  const std::optional<double> k = curvatura(s_.riga);
  if (!k) {
    return l_.rifiuta(codice::curva_o_geometria, std::nullopt, l_.inizio_record,
                      l_.posto_keyword(),
                      "curve keyword \"" + s_.riga +
                          "\" has no class digit 1 to 6: write the side and "
                          "the class after \"curva\", as in \"curvad3\" "
                          "(right, class 3) or \"curvas1\" (left, class 1)");
  }
  const esito_tracciato e = tracciato_.curve(inizio, n, *k);
  if (e == esito_tracciato::oltre_tracciato) {
    return l_.rifiuta(
        codice::curva_o_geometria, inizio, l_.inizio_record, l_.primo_posto,
        l_.chi(inizio) + " with its length of " + metri(n) +
            " runs past the end of the track, " + metri(s_.lunghezza_estesa) +
            " (the route's length and 7000 m)");
  }
  if (e == esito_tracciato::oltre_limite) {
    return l_.rifiuta(codice::curva_o_geometria, std::nullopt, l_.inizio_record,
                      l_.primo_posto,
                      l_.chi(inizio) + " with its length of " + metri(n) +
                          " takes the track line past 1000000 m");
  }
  return esito::avanti;
}

esito lettore_linea::montagna() {
  const std::int32_t inizio = l_.primo_valore();
  const std::int32_t fine_tratto = numero(1);
  const std::int32_t tipo = numero(2);
  if (const esito e =
          l_.posizione_valida(inizio, l_.inizio_record, margine_posizione);
      e != esito::avanti)
    return e;
  // Only the first 81st stretch is reported: the later ones follow from it.
  if (troppe_montagne_) return esito::salta;
  const std::int32_t code = memo_montagna(s_, inizio, fine_tratto, tipo);
  if (code == codice::troppe_montagne) {
    troppe_montagne_ = l_.recupera();
    return l_.rifiuta(code, inizio, l_.inizio_record, l_.posto_keyword(),
                      l_.chi(inizio) +
                          " is one too many: a route holds at most 80 "
                          "montagna stretches");
  }
  if (code > 0) {
    return l_.rifiuta(code, inizio, l_.inizio_record, l_.primo_posto,
                      l_.chi(inizio) + " ends at " + metri(fine_tratto) +
                          ", beyond the track (" + metri(s_.lunghezza_estesa) +
                          ": the route's length and 7000 m)");
  }
  return esito::avanti;
}

esito lettore_linea::indicatore() {
  const std::int32_t posizione = l_.primo_valore();
  const std::int32_t vas = numero(1);
  const std::int32_t vbs = numero(2);
  const std::int32_t vcs = numero(3);
  const std::int32_t strisces = numero(4);
  const std::int32_t vad = numero(5);
  const std::int32_t vbd = numero(6);
  const std::int32_t vcd = numero(7);
  const std::int32_t strisced = numero(8);
  if (const esito e =
          l_.posizione_valida(posizione, l_.inizio_record, margine_posizione);
      e != esito::avanti) {
    return e;
  }
  const std::int32_t code = memo_indicatori_v_max(
      s_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  const std::int32_t c = cella_marcatore(posizione);
  if (code != 0) {
    return l_.rifiuta(code, posizione, l_.inizio_record, l_.primo_posto,
                      l_.chi(posizione) +
                          " has no room: its 50 m of track "
                          "already hold " +
                          l_.contenuto_cella(c),
                      l_.occupante(c));
  }
  l_.marca(c, l_.origine(posizione, &l_.primo_posto));
  return esito::avanti;
}

esito lettore_linea::cartello() {
  const std::int32_t p = l_.primo_valore();
  leggi_riga();  // the inscription
  l_.valore = 1;
  if (l_.recupera()) l_.nome_letto(s_.riga);
  if (const esito e =
          l_.posizione_valida(p, l_.inizio_record, margine_posizione);
      e != esito::avanti)
    return e;
  if (troppi_cartelli_) return esito::salta;
  const std::int32_t c = indice_cella(metri_in_celle(p) + 1.0);
  assert(in_riga(s_, c) && "the range test keeps boards inside the row");
  cella& cel = s_.celle[static_cast<std::size_t>(c)];
  if (!cel.libera()) {
    return l_.rifiuta(codice::cartello_occupato, p, l_.inizio_record,
                      l_.primo_posto,
                      l_.chi(p) +
                          " has no room: its 50 m of track already "
                          "hold " +
                          l_.contenuto_cella(c),
                      l_.occupante(c));
  }
  if (l_.posto_cartello < ultimo_cartello) {
    troppi_cartelli_ = l_.recupera();
    return l_.rifiuta(codice::troppi_cartelli, p, l_.inizio_record,
                      l_.posto_keyword(),
                      l_.chi(p) +
                          " is one too many: a route holds at most 80 "
                          "indication boards");
  }
  cel.set(oggetto_cella::cartello_indicatore);
  cel.valore_1 = low16(l_.posto_cartello);
  s_.stazioni[static_cast<std::size_t>(l_.posto_cartello)].nome = s_.riga;
  --l_.posto_cartello;
  l_.marca(c, l_.origine(p, &l_.primo_posto));
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

bool leggi_linea(lettura& l) { return lettore_linea(l).leggi(); }

}  // namespace compattatore
