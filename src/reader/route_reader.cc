#include "reader/route_reader.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/arrotonda.h"
#include "model/codici_errore.h"
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
  std::int32_t numero() { return campi().read_i32(); }
  /// A record's first value; its faults point at this field.
  std::int32_t primo_valore() {
    const std::int32_t v = campi().read_i32();
    inizio_record_ = campi().last_field();
    return v;
  }

  /// A hard fault: recorded, then the text is closed and deleted.
  esito rifiuta(std::int32_t code, std::optional<std::int32_t> posizione,
                std::size_t at) {
    registra(s_, l_.guasto_a(code, posizione, at));
    l_.chiudi_e_cancella(l_.testi.linea);
    return esito::rifiuto;
  }
  /// A record's position: not negative, and within the row.
  esito posizione_valida(std::int32_t p);

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
  std::size_t inizio_record_ = 0;
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
  l_.apri(quale_testo::linea, l_.fs.read(l_.testi.linea, limite_testo));
  if (!trova_generale()) return false;
  if (sezione_generale() == esito::rifiuto) return false;
  if (!lunghezza_letta_) throw read_failure("route text without its length");
  tra_le_passate();
  if (record_del_percorso() == esito::rifiuto) return false;
  return fine_del_testo();
}

bool lettore_linea::trova_generale() {
  for (;;) {
    if (fine()) break;
    leggi_riga();
    if (fine()) break;  // the last field is never tested
    if (e_generale(s_.riga)) return true;
  }
  (void)rifiuta(codice::generale_mancante, std::nullopt, campi().last_field());
  return false;
}

esito lettore_linea::sezione_generale() {
  while (!fine()) {
    leggi_riga();
    if (fine()) break;
    // No end-of-text test between these: reading past the end fails.
    for (int i = 0; i < sostituzioni_generale && ha_meno(s_.riga); ++i) {
      leggi_riga();
    }
    // Every test that matches reads its own values, in this order.
    if (e_lunghezza(s_.riga) && lunghezza() == esito::rifiuto) {
      return esito::rifiuto;
    }
    if (e_progressiva(s_.riga, "tre")) progressiva(stazione_progressiva_tre);
    if (e_progressiva(s_.riga, "due")) progressiva(stazione_progressiva_due);
    if (e_progressiva(s_.riga, "uno")) progressiva(stazione_progressiva_uno);
    stazione& testata = s_.stazioni[stazione_testata_linea];
    if (e_sfondo(s_.riga, "uno")) testata.inizio_area = numero();
    if (e_sfondo(s_.riga, "due")) testata.progressiva = numero();
    if (e_sfondo(s_.riga, "tre")) testata.fine_area = numero();
    if (e_ripetizione(s_.riga) && ripetizione() == esito::rifiuto) {
      return esito::rifiuto;
    }
    if (chiude_generale(s_.riga)) break;
  }
  return esito::avanti;
}

esito lettore_linea::lunghezza() {
  const std::int32_t lunghezza = primo_valore();
  s_.stazioni[stazione_testata_treno_linea].fine_area = lunghezza;
  if (lunghezza < 0) {
    return rifiuta(codice::posizione_negativa, lunghezza, inizio_record_);
  }
  if (lunghezza > lunghezza_massima) {
    return rifiuta(codice::lunghezza_eccessiva, std::nullopt, inizio_record_);
  }
  s_.lunghezza_estesa = lunghezza + margine_linea;
  s_.numero_celle = indice_cella(metri_in_celle(s_.lunghezza_estesa));
  s_.celle.assign(static_cast<std::size_t>(s_.numero_celle) + 1, cella{});
  if (s_.scrivi_tracciato != 0) tracciato_.make(s_.lunghezza_estesa);
  lunghezza_letta_ = true;
  return esito::avanti;
}

void lettore_linea::progressiva(int entry) {
  stazione& e = s_.stazioni[static_cast<std::size_t>(entry)];
  e.inizio_area = numero();
  e.fine_area = numero();
  e.progressiva = numero();
}

esito lettore_linea::ripetizione() {
  stazione& e = s_.stazioni[stazione_testata_treno];
  e.inizio_area = primo_valore();
  e.fine_area = numero();
  if (e.inizio_area % passo_ripetizione != 0) {
    return rifiuta(codice::ripetizione_inizio, std::nullopt, inizio_record_);
  }
  if (e.fine_area % passo_ripetizione != 0) {
    return rifiuta(codice::ripetizione_fine, std::nullopt, inizio_record_);
  }
  if (contains(s_.riga, "4")) {
    e.progressiva = quattro_codici;
  } else if (contains(s_.riga, "9")) {
    e.progressiva = nove_codici;
  } else {
    return rifiuta(codice::ripetizione_codici, std::nullopt, inizio_record_);
  }
  if (e.fine_area == 0) e.progressiva = 0;
  return esito::avanti;
}

void lettore_linea::tra_le_passate() {
  progressive_ordina(s_);
  s_.conta_montagne = 0;
  l_.posto_cartello = stazione_primo_cartello;
  riempite_ = 0;
  pendenza_prec_ = 0;
  if (s_.scrivi_tracciato != 0) tracciato_.seed();
}

esito lettore_linea::record_del_percorso() {
  while (!fine()) {
    leggi_riga();
    if (fine()) break;
    for (int i = 0; i < sostituzioni && ha_meno(s_.riga); ++i) {
      leggi_riga();
      if (fine()) return esito::avanti;
    }
    // Every test that matches is handled, in this order; the indication
    // board comes last because it reads its inscription into `riga`.
    if (e_pendenza(s_.riga)) {
      if (const esito e = pendenza(); e != esito::avanti) return e;
    }
    if (s_.scrivi_tracciato != 0 && e_curva(s_.riga)) {
      if (const esito e = curva(); e != esito::avanti) return e;
    }
    if (e_montagna(s_.riga)) {
      if (const esito e = montagna(); e != esito::avanti) return e;
    }
    if (e_indicatore(s_.riga)) {
      if (const esito e = indicatore(); e != esito::avanti) return e;
    }
    if (e_cartello(s_.riga)) {
      if (const esito e = cartello(); e != esito::avanti) return e;
    }
  }
  return esito::avanti;
}

esito lettore_linea::posizione_valida(std::int32_t p) {
  if (p < 0) return rifiuta(codice::posizione_negativa, p, inizio_record_);
  if (!entro_celle(s_, p, margine_posizione)) {
    registra(s_, l_.guasto_a(codice::oltre_celle, p, inizio_record_));
    return esito::fine_record;
  }
  return esito::avanti;
}

esito lettore_linea::pendenza() {
  const std::int32_t p = primo_valore();
  const std::int32_t g = numero();
  if (const esito e = posizione_valida(p); e != esito::avanti) return e;
  const std::int32_t m = indice_cella(metri_in_celle(p));
  if (m > 0) dipingi_pendenza(m);
  pendenza_prec_ = g;
  return esito::avanti;
}

esito lettore_linea::curva() {
  const std::int32_t inizio = primo_valore();
  const std::int32_t n = numero();
  if (const esito e = posizione_valida(inizio); e != esito::avanti) return e;
  const std::optional<double> k = curvatura(s_.riga);
  if (!k)
    return rifiuta(codice::curva_o_geometria, std::nullopt, inizio_record_);
  const esito_tracciato e = tracciato_.curve(inizio, n, *k);
  if (e == esito_tracciato::oltre_tracciato) {
    return rifiuta(codice::curva_o_geometria, inizio, inizio_record_);
  }
  if (e == esito_tracciato::oltre_limite) {
    return rifiuta(codice::curva_o_geometria, std::nullopt, inizio_record_);
  }
  return esito::avanti;
}

esito lettore_linea::montagna() {
  const std::int32_t inizio = primo_valore();
  const std::int32_t fine_tratto = numero();
  const std::int32_t tipo = numero();
  if (const esito e = posizione_valida(inizio); e != esito::avanti) return e;
  const std::int32_t code = memo_montagna(s_, inizio, fine_tratto, tipo);
  if (code > 0) return rifiuta(code, inizio, inizio_record_);
  return esito::avanti;
}

esito lettore_linea::indicatore() {
  const std::int32_t posizione = primo_valore();
  const std::int32_t vas = numero();
  const std::int32_t vbs = numero();
  const std::int32_t vcs = numero();
  const std::int32_t strisces = numero();
  const std::int32_t vad = numero();
  const std::int32_t vbd = numero();
  const std::int32_t vcd = numero();
  const std::int32_t strisced = numero();
  if (const esito e = posizione_valida(posizione); e != esito::avanti) {
    return e;
  }
  const std::int32_t code = memo_indicatori_v_max(
      s_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  if (code != 0) return rifiuta(code, posizione, inizio_record_);
  return esito::avanti;
}

esito lettore_linea::cartello() {
  const std::int32_t p = primo_valore();
  leggi_riga();  // the inscription
  if (const esito e = posizione_valida(p); e != esito::avanti) return e;
  const std::int32_t c = indice_cella(metri_in_celle(p) + 1.0);
  assert(in_riga(s_, c) && "the range test keeps boards inside the row");
  cella& cel = s_.celle[static_cast<std::size_t>(c)];
  if (!cel.libera()) {
    return rifiuta(codice::cartello_occupato, p, inizio_record_);
  }
  if (l_.posto_cartello < ultimo_cartello) {
    return rifiuta(codice::troppi_cartelli, p, inizio_record_);
  }
  cel.set(oggetto_cella::cartello_indicatore);
  cel.valore_1 = low16(l_.posto_cartello);
  s_.stazioni[static_cast<std::size_t>(l_.posto_cartello)].nome = s_.riga;
  --l_.posto_cartello;
  return esito::avanti;
}

bool lettore_linea::fine_del_testo() {
  l_.chiudi_e_cancella(l_.testi.linea);
  // The last three cells keep 0.
  dipingi_pendenza(s_.numero_celle - 2);
  if (s_.scrivi_tracciato != 0) {
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
