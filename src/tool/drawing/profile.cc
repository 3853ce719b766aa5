#include "tool/drawing/profile.h"

#include <algorithm>

#include "tool/common/latin1.h"
#include "tool/drawing/plot_texts.h"

namespace compattatore::tool {
namespace {

void step(std::vector<gradino>& serie, std::int64_t metro, double valore) {
  if (!serie.empty() && serie.back().valore == valore) return;
  serie.push_back({metro, valore});
}

bool is_cap(const cella& c) {
  return c.is(oggetto_cella::abbattimento) ||
         c.is(oggetto_cella::abbattimento_senza_velocita);
}

// A station entry holds numbers; a board's entry holds its inscription
// only.
bool is_station(const stazione& s) {
  stazione numbers = s;
  numbers.nome.clear();
  return !(numbers == stazione{});
}

// Cells from a warning to its slowdown's start: 1200 m.
constexpr std::size_t celle_avviso = 24;

}  // namespace

double valore_a(const std::vector<gradino>& serie, std::int64_t metro) {
  const auto it = std::upper_bound(
      serie.begin(), serie.end(), metro,
      [](std::int64_t m, const gradino& g) { return m < g.da; });
  return it == serie.begin() ? 0.0 : std::prev(it)->valore;
}

profilo profilo_di(const std::vector<cella>& celle,
                   const std::array<stazione, numero_stazioni>& stazioni,
                   const std::vector<cella>* prima_del_passo) {
  profilo p;
  p.fine_riga = celle.empty() ? 0 : metro_della_cella(celle.size() - 1);
  const std::int32_t lunghezza =
      stazioni[stazione_testata_treno_linea].fine_area;
  p.lunghezza = lunghezza > 0 ? lunghezza : p.fine_riga;

  bool in_rallentamento = false;
  int velocita_rallentamento = 0;
  double quota = 0.0;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const cella& k = celle[c];
    const std::int64_t metro = metro_della_cella(c);
    const double linea = 5.0 * k.velocita_linea;
    step(p.velocita_linea, metro, linea);
    const double pendenza = static_cast<double>(k.pendenza) - 100.0;
    step(p.pendenza, metro, pendenza);
    step(p.aderenza, metro, k.aderenza);
    step(p.montagna, metro, k.montagna);
    if (c >= 1) {
      p.quota.push_back({metro, quota});
      quota += pendenza * passo_cella / 1000.0;
    }

    if (k.is(oggetto_cella::inizio_rallentamento)) {
      in_rallentamento = true;
      velocita_rallentamento = k.valore_1;
      rallentamento_profilo r;
      r.inizio = metro;
      r.fine = metro;
      r.velocita = k.valore_1;
      if (c >= celle_avviso &&
          celle[c - celle_avviso].is(oggetto_cella::avviso_rallentamento)) {
        r.avviso = metro_della_cella(c - celle_avviso);
      }
      for (std::size_t e = c + 1; e < celle.size(); ++e) {
        if (celle[e].is(oggetto_cella::fine_rallentamento)) {
          r.fine = metro_della_cella(e);
          break;
        }
      }
      p.rallentamenti.push_back(r);
    } else if (k.is(oggetto_cella::fine_rallentamento)) {
      in_rallentamento = false;
    }
    step(p.limite, metro,
         in_rallentamento ? std::min<double>(linea, velocita_rallentamento)
                          : linea);

    if (k.is(oggetto_cella::segnale)) p.segnali.push_back({metro, k});
    if (is_cap(k)) {
      punto_profilo q;
      q.metro = metro;
      q.velocita = k.is(oggetto_cella::abbattimento) ? k.valore_1 : 0;
      if (prima_del_passo && c < prima_del_passo->size()) {
        const cella& letta = (*prima_del_passo)[c];
        q.dal_passo = !is_cap(letta);
        q.abbassato = letta.is(oggetto_cella::abbattimento) &&
                      letta.valore_1 != k.valore_1;
      }
      p.punti.push_back(q);
    }
    if (k.is(oggetto_cella::indicatore_v_max)) {
      p.cartelli.push_back(
          {metro, testo_cartello_velocita(k), k.valore_1 / 20});
    }
    if (k.is(oggetto_cella::cartello_indicatore) && k.valore_1 > 0 &&
        k.valore_1 < numero_stazioni) {
      p.cartelli.push_back(
          {metro,
           testo_indicazione(
               stazioni[static_cast<std::size_t>(k.valore_1)].nome),
           0});
    }
  }

  for (int i = 1; i <= stazione_primo_cartello; ++i) {
    const stazione& s = stazioni[static_cast<std::size_t>(i)];
    if (!is_station(s)) continue;
    stazione_profilo st;
    st.voce = i;
    st.nome = latin1_to_utf8(s.nome);
    st.progressiva = s.progressiva;
    st.inizio_area = s.inizio_area;
    st.fine_area = s.fine_area;
    st.orario = s.orario;
    for (std::size_t c = 0; c < celle.size(); ++c) {
      if (celle[c].is(oggetto_cella::fine_stazione) && celle[c].valore_1 == i) {
        st.fermata = metro_della_cella(c);
        break;
      }
    }
    p.stazioni.push_back(st);
  }
  p.fine_profilo = p.lunghezza;
  for (const stazione_profilo& st : p.stazioni) {
    p.fine_profilo = std::max(p.fine_profilo, st.fine_area);
  }
  p.fine_profilo = std::min(p.fine_profilo, std::max(p.lunghezza, p.fine_riga));
  return p;
}

}  // namespace compattatore::tool
