#include "tool/decompile/route_recovery.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "reader/lettura.h"
#include "reader/position_ordering.h"
#include "tool/decompile/curve_recovery.h"
#include "tool/decompile/step_rows.h"

namespace compattatore::tool {
namespace {

// `pendenza` holds the gradient plus this, modulo 256.
constexpr std::int32_t pendenza_piana = 100;
constexpr std::int32_t passo_ripetizione = 50;
// Stretches that begin this close after the one read before them get
// kind 3, whatever their row says.
constexpr std::int32_t distanza_contigua = 150;
constexpr std::int32_t tipo_contiguo = 3;
constexpr std::int32_t marcatore_sopra = 10;
constexpr std::int32_t ogni_marcatore = 4;
// A chainage row whose third value is this has its end moved 100 m on.
constexpr std::int32_t terzo_con_aggiunta = 1;
constexpr std::int32_t aggiunta = 100;

std::int32_t metro_marcatore(std::size_t c) {
  return static_cast<std::int32_t>(metro_della_cella(c));
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// The general section: chainage, background, signal repetition, length.
void recupera_generale(const std::array<stazione, numero_stazioni>& st,
                       lettura_linea lettura, testo_linea_recuperato& t) {
  const stazione& testata = st[stazione_testata_treno_linea];
  const stazione& linea = st[stazione_testata_linea];
  const stazione& ripetizione = st[stazione_testata_treno];
  if (lettura != lettura_linea::senza_celle || testata.fine_area != 0) {
    t.lunghezza = testata.fine_area;
  }
  t.lunghezza_per_ultima = lettura == lettura_linea::senza_celle;
  t.sfondo = {linea.inizio_area, linea.progressiva, linea.fine_area};

  // Chainage: the rows are put in order when the general section ends; a
  // fault inside it leaves them as read, "tre" in entry 81.
  const int entries[] = {stazione_progressiva_tre, stazione_progressiva_due,
                         stazione_progressiva_uno};
  const char* parole[] = {"tre", "due", "uno"};
  std::array<int, 3> da = {0, 1, 2};  // row i is written from entry da[i]
  std::array<std::int32_t, 3> togli{};
  const bool ordinate = lettura == lettura_linea::guasto_record ||
                        lettura == lettura_linea::intera;
  if (ordinate) {
    for (int i = 0; i < 3; ++i) {
      const stazione& e = st[static_cast<std::size_t>(entries[i])];
      togli[static_cast<std::size_t>(i)] =
          e.progressiva == terzo_con_aggiunta ? aggiunta : 0;
    }
    // Any rows that sort into the entries will do; tried first, the ones
    // an author would write: "uno" the first stretch, empty rows last.
    std::array<int, 3> naturale = {0, 1, 2};
    auto chiave = [&](int j) {
      const stazione& e = st[static_cast<std::size_t>(entries[j])];
      const bool vuota =
          e.inizio_area == 0 && e.fine_area == 0 && e.progressiva == 0;
      return std::pair{vuota, e.inizio_area};
    };
    std::stable_sort(naturale.begin(), naturale.end(),
                     [&](int a, int b) { return chiave(a) < chiave(b); });
    std::vector<std::array<int, 3>> prove = {
        {naturale[2], naturale[1], naturale[0]}};
    std::array<int, 3> altra = {0, 1, 2};
    do {
      prove.push_back(altra);
    } while (std::next_permutation(altra.begin(), altra.end()));
    bool trovata = false;
    for (const std::array<int, 3>& prova : prove) {
      scenario s;
      for (std::size_t i = 0; i < 3; ++i) {
        const auto j = static_cast<std::size_t>(prova[i]);
        stazione& e = s.stazioni[static_cast<std::size_t>(entries[i])];
        const stazione& da_voce = st[static_cast<std::size_t>(entries[j])];
        e.inizio_area = da_voce.inizio_area;
        e.fine_area = da_voce.fine_area - togli[j];
        e.progressiva = da_voce.progressiva;
      }
      progressive_ordina(s);
      trovata = true;
      for (int e : entries) {
        const stazione& a = s.stazioni[static_cast<std::size_t>(e)];
        const stazione& b = st[static_cast<std::size_t>(e)];
        trovata = trovata && a.inizio_area == b.inizio_area &&
                  a.fine_area == b.fine_area && a.progressiva == b.progressiva;
      }
      if (trovata) {
        da = prova;
        break;
      }
    }
  }
  for (int i = 2; i >= 0; --i) {
    const auto j = static_cast<std::size_t>(da[static_cast<std::size_t>(i)]);
    const stazione& e = st[static_cast<std::size_t>(entries[j])];
    t.progressive.push_back(
        {parole[i], e.inizio_area, e.fine_area - togli[j], e.progressiva});
  }

  // Signal repetition: the codes are stored only once both values passed
  // their tests; a fault in the section must end it.
  const bool valori_validi = ripetizione.inizio_area % passo_ripetizione == 0 &&
                             ripetizione.fine_area % passo_ripetizione == 0;
  const bool con_codici =
      ripetizione.progressiva == 4 || ripetizione.progressiva == 9;
  const int codici = ripetizione.progressiva == 9 ? 9 : 4;
  const bool guasto = lettura == lettura_linea::guasto_generale ||
                      !valori_validi ||
                      (!con_codici && ripetizione.fine_area != 0);
  if (guasto && con_codici) {
    // An earlier row gave the codes.
    t.ripetizioni.push_back({0, passo_ripetizione, codici});
  }
  if (!guasto) {
    t.ripetizioni.push_back(
        {ripetizione.inizio_area, ripetizione.fine_area, codici});
  } else if (lettura != lettura_linea::senza_celle || !t.lunghezza ||
             *t.lunghezza == 0) {
    t.ripetizioni.push_back({ripetizione.inizio_area, ripetizione.fine_area,
                             valori_validi ? 0 : 4});
  } else {
    t.ripetizioni.push_back(
        {ripetizione.inizio_area, ripetizione.fine_area, codici});
  }
}

// Montagna stretches from the runs of one code, their markers telling
// where a stretch began (every fourth cell of it holds one where nothing
// else stood).
struct pezzo_montagna {
  std::size_t a = 0;
  std::size_t b = 0;
  std::uint8_t codice = 0;
  bool marcatori = false;
  /// Only its markers matter: a later stretch sets the code of its cells.
  bool coperto = false;
};

class montagne {
 public:
  explicit montagne(const celle_prima_del_passo& prima)
      : r_(prima.celle), punti_(prima.punti_del_passo) {}

  /// Cells whose marker, or its absence, the file shows: those that hold
  /// nothing else (a record read later takes a marker's cell).
  bool visibile(std::size_t i) const {
    return !punti_[i] && (r_[i].is(oggetto_cella::nulla) ||
                          r_[i].is(oggetto_cella::montagna));
  }
  bool marcatore(std::size_t i) const {
    return r_[i].is(oggetto_cella::montagna);
  }

  /// The run [c, b] of one code as stretches read in order.
  void corsa(std::size_t c, std::size_t b, std::vector<pezzo_montagna>& out) {
    std::vector<pezzo_montagna> pezzi = a_pezzi(c, b);
    if (!marcatori_di(pezzi, c, b)) pezzi = a_strati(c, b);
    out.insert(out.end(), pezzi.begin(), pezzi.end());
  }

 private:
  // Stretches one after another, each begun where its markers fall in
  // step: what a text of stretches in order gives.
  std::vector<pezzo_montagna> a_pezzi(std::size_t c, std::size_t b) const {
    std::vector<pezzo_montagna> pezzi;
    const std::uint8_t codice = r_[c].montagna;
    std::size_t a = c;
    bool marcatori = false;
    bool quarta_vuota = false;  // a fourth cell seen without a marker
    for (std::size_t i = c; i <= b; ++i) {
      if (!visibile(i)) continue;
      const bool quarta = (i - a + 1) % ogni_marcatore == 0;
      if (marcatore(i)) {
        if (quarta && !quarta_vuota) {
          marcatori = true;
          continue;
        }
        // Out of step: a stretch begins so that this is its fourth cell.
        if (i + 1 >= a + ogni_marcatore + 1) {
          const std::size_t nuovo = i + 1 - ogni_marcatore;
          pezzi.push_back({a, nuovo - 1, codice, marcatori});
          a = nuovo;
          quarta_vuota = false;
        }
        marcatori = true;
      } else if (quarta) {
        if (!marcatori) {
          quarta_vuota = true;
          continue;
        }
        // A fourth cell without its marker: the stretch ended before.
        pezzi.push_back({a, i - 1, codice, marcatori});
        a = i;
        marcatori = false;
        quarta_vuota = false;
      }
    }
    pezzi.push_back({a, b, codice, marcatori});
    return pezzi;
  }

  // Whether `pezzi` put a marker in every visible cell of [c, b] that holds
  // one, and in no other.
  bool marcatori_di(const std::vector<pezzo_montagna>& pezzi, std::size_t c,
                    std::size_t b) const {
    std::vector<bool> messo(b - c + 1, false);
    for (const pezzo_montagna& p : pezzi) {
      if (!p.marcatori) continue;
      for (std::size_t i = p.a + ogni_marcatore - 1; i <= p.b;
           i += ogni_marcatore) {
        if (i >= c) messo[i - c] = true;
      }
    }
    for (std::size_t i = c; i <= b; ++i) {
      if (visibile(i) && messo[i - c] != marcatore(i)) return false;
    }
    return true;
  }

  // Overlapping stretches: markers in more than one step, each group of
  // markers a stretch of its own read first, then the run's code over them
  // (a marker already there is no free cell for another).
  std::vector<pezzo_montagna> a_strati(std::size_t c, std::size_t b) const {
    std::vector<pezzo_montagna> pezzi;
    const std::uint8_t codice = r_[c].montagna;
    for (std::size_t fase = 0; fase < ogni_marcatore; ++fase) {
      bool aperto = false;
      std::size_t primo = 0;
      std::size_t ultimo = 0;
      auto chiudi = [&] {
        if (!aperto) return;
        // Begun before the run where it must: the run before it takes
        // those cells' code later.
        const std::size_t a =
            primo >= ogni_marcatore - 1 ? primo + 1 - ogni_marcatore : 0;
        pezzi.push_back({a, ultimo, codice, true, true});
        aperto = false;
      };
      for (std::size_t i = c + fase; i <= b; i += ogni_marcatore) {
        if (!visibile(i)) continue;
        if (marcatore(i)) {
          if (!aperto) primo = i;
          aperto = true;
          ultimo = i;
        } else {
          chiudi();
        }
      }
      chiudi();
    }
    pezzi.push_back({c, b, codice, false});
    return pezzi;
  }

  const std::vector<cella>& r_;
  const std::vector<bool>& punti_;
};

void recupera_montagne(const celle_prima_del_passo& prima,
                       testo_linea_recuperato& t) {
  const std::vector<cella>& r = prima.celle;
  montagne m(prima);
  std::vector<pezzo_montagna> pezzi;
  std::size_t c = 0;
  while (c < r.size()) {
    std::size_t b = c;
    while (b + 1 < r.size() && r[b + 1].montagna == r[c].montagna) ++b;
    if (r[c].montagna != 0) m.corsa(c, b, pezzi);
    c = b + 1;
  }

  // Stretches kept for their markers alone are read first, so that every
  // code is set after them.
  std::stable_partition(pezzi.begin(), pezzi.end(),
                        [](const pezzo_montagna& p) { return p.coperto; });
  std::int64_t fine_prec = 0;
  bool prima_riga = true;
  for (const pezzo_montagna& p : pezzi) {
    riga_montagna riga;
    riga.inizio = metro_marcatore(p.a + 1);
    riga.fine = metro_marcatore(p.b + 2);
    if (p.codice == tipo_contiguo) {
      riga.tipo = tipo_contiguo;
    } else if (p.codice > marcatore_sopra) {
      riga.tipo = static_cast<std::int32_t>(p.codice) - 256;
    } else {
      riga.tipo = p.codice;
    }
    if (p.marcatori) {
      riga.tipo = p.codice == 0 ? 266 : p.codice + marcatore_sopra;
    }
    if (!p.coperto && p.codice != tipo_contiguo && !prima_riga &&
        riga.inizio - fine_prec <= distanza_contigua) {
      // Begun within 150 m of the stretch before, it would count as
      // contiguous: its start as late and the other's end as early as
      // their cells allow, or else an empty stretch read in between.
      const std::int32_t piu = p.a % 2 == 0 ? 25 : 24;
      if (riga.inizio + piu - fine_prec > distanza_contigua) {
        riga.inizio += piu;
      } else {
        t.montagne.push_back({0, 0, 0});
      }
    }
    t.montagne.push_back(riga);
    fine_prec = riga.fine;
    prima_riga = false;
  }
}

// A board's speed field holds nearest(d / 5 + 20 s): the left speed and
// the right one that give it, both multiples of 5 where they can be.
std::pair<std::int32_t, std::int32_t> velocita_cartello(std::int16_t v) {
  const std::int64_t resto = v - 20 * floor_div(v, 20);
  std::pair<std::int32_t, std::int32_t> scelta{
      static_cast<std::int32_t>(floor_div(v, 20)),
      static_cast<std::int32_t>(resto * 5)};
  for (std::int64_t j = resto; j <= 400; j += 20) {
    const std::int64_t s = (v - j) / 20;
    const std::int64_t d = j * 5;
    if (s < 0) break;
    if (s % 5 == 0 && (d == 0 || d == s)) return {s, d};
  }
  return scelta;
}

void recupera_oggetti(const compiled_scenario& c,
                      const celle_prima_del_passo& prima,
                      const std::array<stazione, numero_stazioni>& st,
                      testo_linea_recuperato& t,
                      std::vector<std::string>& avvisi) {
  const std::vector<cella>& r = prima.celle;
  std::array<std::optional<std::size_t>, numero_stazioni> cella_cartello{};
  for (std::size_t i = 0; i < r.size(); ++i) {
    const cella& k = r[i];
    if (k.is(oggetto_cella::indicatore_v_max)) {
      riga_indicatore b;
      b.posizione = metro_marcatore(i);
      for (std::size_t j = 0; j < 3; ++j) {
        const std::int16_t v = j == 0   ? k.valore_1
                               : j == 1 ? k.valore_2
                                        : k.valore_3;
        const auto [s, d] = velocita_cartello(v);
        b.sinistra[j] = s;
        b.destra[j] = d;
      }
      b.strisce_sinistra = static_cast<std::int32_t>(floor_div(k.valore_4, 10));
      b.strisce_destra = static_cast<std::int32_t>(
          k.valore_4 - 10 * floor_div(k.valore_4, 10));
      t.indicatori.push_back(b);
    }
    if (k.is(oggetto_cella::cartello_indicatore) && k.valore_1 >= 1 &&
        k.valore_1 <= stazione_primo_cartello) {
      cella_cartello[static_cast<std::size_t>(k.valore_1)] = i;
    }
  }
  // The boards fill the table downward from entry 80, in reading order.
  std::vector<std::size_t> fine_stazioni;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i].is(oggetto_cella::fine_stazione)) fine_stazioni.push_back(i);
  }
  for (int e = stazione_primo_cartello; e >= 1; --e) {
    const stazione& v = st[static_cast<std::size_t>(e)];
    const bool solo_nome = v.categoria == 0 && v.inizio_area == 0 &&
                           v.fine_area == 0 && v.progressiva == 0 &&
                           v.numero_1 == 0 && v.orario == 0 && !v.nome.empty();
    const auto cel = cella_cartello[static_cast<std::size_t>(e)];
    if (!cel && !solo_nome) break;
    riga_cartello b;
    b.scritta = v.nome;
    if (cel) {
      b.posizione = metro_marcatore(*cel);
    } else if (!fine_stazioni.empty()) {
      // A station's end marker took its cell later: any such cell does.
      b.posizione = metro_marcatore(fine_stazioni.front());
    } else {
      avvisi.push_back("the indication board of entry " + std::to_string(e) +
                       " (\"" + v.nome +
                       "\") has no cell in the row: it is left out");
      break;
    }
    t.cartelli.push_back(std::move(b));
  }
  (void)c;
}

}  // namespace

lettura_linea recupera_linea(const compiled_scenario& c,
                             const std::array<stazione, numero_stazioni>& st,
                             const celle_prima_del_passo& prima,
                             testi_recuperati* out) {
  testo_linea_recuperato& t = out->linea;
  lettura_linea lettura = lettura_linea::intera;
  std::optional<curve_recuperate> curve;
  if (c.linea && !c.linea->empty()) curve = recupera_curve(*c.linea);
  if (prima.celle.empty()) {
    lettura = lettura_linea::senza_celle;
  } else if (curve && !curve->seminato) {
    lettura = lettura_linea::guasto_generale;
  } else if (curve && static_cast<std::size_t>(curve->fine_disegno) + 2 <
                          c.linea->metri()) {
    lettura = lettura_linea::guasto_record;
  }
  recupera_generale(st, lettura, t);
  if (lettura == lettura_linea::senza_celle ||
      lettura == lettura_linea::guasto_generale) {
    return lettura;
  }
  t.fine_con_guasto = lettura == lettura_linea::guasto_record;
  t.pendenze = righe_a_gradini(
      prima.celle, &cella::pendenza, static_cast<std::uint8_t>(pendenza_piana),
      !t.fine_con_guasto, [](std::uint8_t v) {
        return static_cast<std::int32_t>(v) - pendenza_piana;
      });
  if (curve) {
    t.curve = curve->righe;
    for (std::int32_t m : curve->metri_guasti) {
      out->avvisi.push_back("the track line's metre " + std::to_string(m) +
                            " is no point that a curve row can give");
      if (out->avvisi.size() > 20) break;
    }
  }
  recupera_montagne(prima, t);
  recupera_oggetti(c, prima, st, t, out->avvisi);
  return lettura;
}

}  // namespace compattatore::tool
