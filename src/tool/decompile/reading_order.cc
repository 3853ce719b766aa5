#include "tool/decompile/reading_order.h"

#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <tuple>

#include "reader/lettura.h"

namespace compattatore::tool {
namespace {

constexpr int preavviso_stazione = 80;
constexpr int categoria_senza_celle = 25;

bool area_corta(int categoria) { return categoria == 5 || categoria == 6; }

}  // namespace

std::vector<scrittura_cella> marchi_stazione(const stazione& e,
                                             std::size_t celle) {
  std::vector<scrittura_cella> out;
  if (e.categoria >= categoria_senza_celle) return out;
  const double fine = metri_in_celle(e.fine_area);
  if (!area_corta(e.categoria)) {
    for (int k = 1; k <= 4; ++k) {
      const double t = fine - k - 1.0;
      if (t <= 1.0) continue;
      const std::int32_t c = indice_cella(t);
      if (c >= 0 && static_cast<std::size_t>(c) < celle) {
        out.push_back({static_cast<std::size_t>(c),
                       static_cast<std::uint8_t>(preavviso_stazione + k)});
      }
    }
  }
  return out;
}

std::vector<record_treno> ordine_di_lettura(
    const testo_treno_recuperato& t,
    const std::array<stazione, numero_stazioni>& stazioni,
    const std::vector<cella>& celle) {
  using k = record_treno::tipo;
  std::vector<record_treno> nodi;
  // The compiled-in order, as the key each record is taken by when free.
  std::vector<std::tuple<int, std::size_t, std::size_t>> chiave;
  std::optional<std::size_t> ultima;
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    nodi.push_back({k::stazione, i});
    chiave.emplace_back(t.stazioni[i].parziale ? 4 : 0, i, 0);
    if (t.stazioni[i].parziale) ultima = nodi.size() - 1;
  }
  for (std::size_t i = 0; i < t.rallentamenti.size(); ++i) {
    nodi.push_back({k::rallentamento, i});
    chiave.emplace_back(1, i, 0);
  }
  const std::size_t primo_segnale = nodi.size();
  for (std::size_t i = 0; i < t.segnali.size(); ++i) {
    nodi.push_back({k::segnale, i});
    chiave.emplace_back(2, static_cast<std::size_t>(t.segnali[i].posizione), i);
  }
  for (std::size_t i = 0; i < t.abbattimenti.size(); ++i) {
    nodi.push_back({k::abbattimento, i});
    chiave.emplace_back(3, i, 0);
  }

  std::vector<std::vector<std::size_t>> dopo(nodi.size());
  std::vector<int> prima(nodi.size(), 0);
  auto vincolo = [&](std::size_t a, std::size_t b) {
    if (a == b) return;
    dopo[a].push_back(b);
    ++prima[b];
  };
  // Stations take their entries in reading order; one that ends the
  // reading is read after everything.
  for (std::size_t i = 1; i < t.stazioni.size(); ++i) vincolo(i - 1, i);
  if (ultima) {
    for (std::size_t n = 0; n < nodi.size(); ++n) {
      if (n != *ultima && !(nodi[n].kind == k::stazione)) vincolo(n, *ultima);
    }
  }
  // Who writes each cell's `preavviso`: the one whose value the file holds
  // was read after the others.
  std::map<std::size_t, std::vector<std::pair<std::size_t, std::uint8_t>>>
      scrittori;
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    for (const scrittura_cella& w :
         marchi_stazione(stazioni[i + 1], celle.size())) {
      scrittori[w.cella].emplace_back(i, w.preavviso);
    }
  }
  for (std::size_t i = 0; i < t.segnali.size(); ++i) {
    for (const scrittura_cella& w : codici_segnale(t.segnali[i])) {
      scrittori[w.cella].emplace_back(primo_segnale + i, w.preavviso);
    }
    if (t.segnali[i].sotto_stazione) {
      vincolo(primo_segnale + i, *t.segnali[i].sotto_stazione);
    }
  }
  for (const auto& [c, chi] : scrittori) {
    if (chi.size() < 2 || c >= celle.size()) continue;
    const std::uint8_t v = celle[c].preavviso;
    for (const auto& [perdente, pv] : chi) {
      if (pv == v) continue;
      for (const auto& [vincente, vv] : chi) {
        if (vv == v) vincolo(perdente, vincente);
      }
    }
  }

  // Kahn's order, always taking the free record first in the compiled-in
  // order.
  using voce =
      std::pair<std::tuple<int, std::size_t, std::size_t>, std::size_t>;
  std::priority_queue<voce, std::vector<voce>, std::greater<>> liberi;
  for (std::size_t n = 0; n < nodi.size(); ++n) {
    if (prima[n] == 0) liberi.push({chiave[n], n});
  }
  std::vector<record_treno> ordine;
  while (!liberi.empty()) {
    const std::size_t n = liberi.top().second;
    liberi.pop();
    ordine.push_back(nodi[n]);
    for (std::size_t m : dopo[n]) {
      if (--prima[m] == 0) liberi.push({chiave[m], m});
    }
  }
  if (ordine.size() == nodi.size()) return ordine;
  // The marks ask for a circle: no order gives them all; the compiled-in
  // one, and the round trip names the cells.
  ordine.clear();
  std::vector<std::size_t> tutti(nodi.size());
  for (std::size_t n = 0; n < nodi.size(); ++n) tutti[n] = n;
  std::sort(tutti.begin(), tutti.end(), [&](std::size_t a, std::size_t b) {
    return chiave[a] < chiave[b];
  });
  for (std::size_t n : tutti) ordine.push_back(nodi[n]);
  return ordine;
}

}  // namespace compattatore::tool
