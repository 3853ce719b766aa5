#include "tool/decompile/step_rows.h"

#include <cstddef>

namespace compattatore::tool {
namespace {

// The fill never reaches the row's last cell, and a row's position must
// lie 100 m before the end of the row (the range test's margin).
constexpr std::size_t celle_oltre_ultima_riga = 2;
// The final fill stops before the last three cells.
constexpr std::size_t celle_senza_riempimento = 3;

}  // namespace

std::vector<riga_gradino> righe_a_gradini(
    const std::vector<cella>& celle, std::uint8_t cella::*campo,
    std::uint8_t iniziale, bool riempimento_finale,
    const std::function<std::int32_t(std::uint8_t)>& valore) {
  std::vector<riga_gradino> righe;
  if (celle.size() <= celle_senza_riempimento) return righe;
  const std::size_t ultima_riga = celle.size() - 1 - celle_oltre_ultima_riga;
  const std::size_t coda = celle.size() - celle_senza_riempimento;
  std::uint8_t prima = iniziale;
  for (std::size_t c = 0; c <= ultima_riga; ++c) {
    const std::uint8_t v = celle[c].*campo;
    if (v == prima) continue;
    prima = v;
    // The zeros the final fill leaves at the row's end.
    if (riempimento_finale && c >= coda && v == 0) {
      bool zeri = true;
      for (std::size_t k = c; k < celle.size(); ++k) {
        zeri = zeri && celle[k].*campo == 0;
      }
      if (zeri) break;
    }
    righe.push_back({static_cast<std::int32_t>(c) * passo_cella, valore(v)});
  }
  return righe;
}

}  // namespace compattatore::tool
