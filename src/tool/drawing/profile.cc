#include "tool/drawing/profile.h"

#include <algorithm>

#include "tool/common/latin1.h"
#include "tool/drawing/plot_texts.h"

namespace compattatore::tool {
namespace {

void step(std::vector<value_step>& series, std::int64_t metro, double value) {
  if (!series.empty() && series.back().value == value) return;
  series.push_back({metro, value});
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
constexpr std::size_t warning_lead_cells = 24;

}  // namespace

double value_at(const std::vector<value_step>& series, std::int64_t metro) {
  const auto it = std::upper_bound(
      series.begin(), series.end(), metro,
      [](std::int64_t m, const value_step& g) { return m < g.from; });
  return it == series.begin() ? 0.0 : std::prev(it)->value;
}

profile_data profile_of(const std::vector<cella>& celle,
                        const std::array<stazione, numero_stazioni>& stazioni,
                        const std::vector<cella>* before_pass) {
  profile_data p;
  p.row_end = celle.empty() ? 0 : metro_della_cella(celle.size() - 1);
  const std::int32_t lunghezza =
      stazioni[stazione_testata_treno_linea].fine_area;
  p.lunghezza = lunghezza > 0 ? lunghezza : p.row_end;

  bool in_slowdown = false;
  int slowdown_speed = 0;
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
      in_slowdown = true;
      slowdown_speed = k.valore_1;
      profile_slowdown r;
      r.inizio = metro;
      r.fine = metro;
      r.velocita = k.valore_1;
      if (c >= warning_lead_cells && celle[c - warning_lead_cells].is(
                                         oggetto_cella::avviso_rallentamento)) {
        r.avviso = metro_della_cella(c - warning_lead_cells);
      }
      for (std::size_t e = c + 1; e < celle.size(); ++e) {
        if (celle[e].is(oggetto_cella::fine_rallentamento)) {
          r.fine = metro_della_cella(e);
          break;
        }
      }
      p.rallentamenti.push_back(r);
    } else if (k.is(oggetto_cella::fine_rallentamento)) {
      in_slowdown = false;
    }
    step(p.limit, metro,
         in_slowdown ? std::min<double>(linea, slowdown_speed) : linea);

    if (k.is(oggetto_cella::segnale)) p.segnali.push_back({metro, k});
    if (is_cap(k)) {
      profile_point q;
      q.metro = metro;
      q.velocita = k.is(oggetto_cella::abbattimento) ? k.valore_1 : 0;
      if (before_pass && c < before_pass->size()) {
        const cella& as_read = (*before_pass)[c];
        q.added_by_pass = !is_cap(as_read);
        q.lowered = as_read.is(oggetto_cella::abbattimento) &&
                    as_read.valore_1 != k.valore_1;
      }
      p.points.push_back(q);
    }
    if (k.is(oggetto_cella::indicatore_v_max)) {
      p.cartelli.push_back({metro, speed_board_text(k), k.valore_1 / 20});
    }
    if (k.is(oggetto_cella::cartello_indicatore) && k.valore_1 > 0 &&
        k.valore_1 < numero_stazioni) {
      p.cartelli.push_back(
          {metro,
           indication_text(stazioni[static_cast<std::size_t>(k.valore_1)].nome),
           0});
    }
  }

  for (int i = 1; i <= stazione_primo_cartello; ++i) {
    const stazione& s = stazioni[static_cast<std::size_t>(i)];
    if (!is_station(s)) continue;
    profile_station st;
    st.entry = i;
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
  p.profile_end = p.lunghezza;
  for (const profile_station& st : p.stazioni) {
    p.profile_end = std::max(p.profile_end, st.fine_area);
  }
  p.profile_end = std::min(p.profile_end, std::max(p.lunghezza, p.row_end));
  return p;
}

}  // namespace compattatore::tool
