#include "tool/decompile/signal_sides.h"

#include "reader/lettura.h"

namespace compattatore::tool {
namespace {

// Kept times are 0 or above 100: 1 to 100 are stored as 101.
constexpr std::int32_t tempo_minimo = 101;
constexpr std::int32_t sx_con_tempo = 2;
// Codes as large as the 32-bit sums of a row's values may wrap to any
// byte; these reach every one.
constexpr std::int32_t lati_massimi = 640;

std::int32_t floor_mod(std::int32_t a, std::int32_t b) {
  const std::int32_t r = a % b;
  return r < 0 ? r + b : r;
}

// The ratio beside `lati` in `valore_4`: valore_4 - lati plus a multiple
// of 65536 (the low 16 bits kept), divisible by 10.
std::optional<std::int32_t> rapporto(std::int16_t valore_4, std::int32_t lati) {
  for (std::int64_t giro = 0; giro < 5; ++giro) {
    for (const std::int64_t segno : {1, -1}) {
      const std::int64_t x = valore_4 - lati + segno * giro * 65536;
      if (x % 10 == 0) return static_cast<std::int32_t>(x / 10);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<lati_segnale> lati_da_preavviso(std::uint8_t preavviso, int n,
                                              std::int16_t valore_4) {
  for (std::int32_t d = 0; d <= lati_massimi; ++d) {
    for (const std::int32_t lati : {d, -d}) {
      if (static_cast<std::uint8_t>(lati * 10 + n) != preavviso) continue;
      if (const auto r = rapporto(valore_4, lati)) {
        return lati_segnale{lati, *r};
      }
    }
  }
  return std::nullopt;
}

lati_segnale lati_da_valore(std::int16_t valore_4) {
  const std::int32_t lati = floor_mod(valore_4, 10);
  return {lati, (valore_4 - lati) / 10};
}

riga_segnale riga_segnale_di(std::size_t c, const cella& k, lati_segnale lati) {
  riga_segnale s;
  s.posizione = static_cast<std::int32_t>(metro_della_cella(c));
  const std::int32_t cl = lati.lati;
  if (k.tempo_segnale != 0) {
    s.sinistra[0] = sx_con_tempo;
    s.destra[0] = cl - 3 * sx_con_tempo;
    s.tempo = k.tempo_segnale < tempo_minimo ? k.tempo_segnale + 256
                                             : k.tempo_segnale;
  } else {
    // Any split gives the same bytes: the one whose sides are 0 to 2.
    s.sinistra[0] = cl / 3;
    s.destra[0] = cl % 3;
  }
  s.rapporto = lati.rapporto;
  const std::int16_t cifre[] = {k.valore_1, k.valore_2, k.valore_3};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::int32_t d = floor_mod(cifre[i], 10);
    s.sinistra[i + 1] = (cifre[i] - d) / 10;
    s.destra[i + 1] = d;
  }
  return s;
}

std::vector<scrittura_cella> codici_segnale(const riga_segnale& s) {
  std::vector<scrittura_cella> out;
  const std::int64_t c = cella_marcatore(s.posizione);
  const std::int64_t lati =
      static_cast<std::int64_t>(s.sinistra[0]) * 3 + s.destra[0];
  for (std::int64_t n = 1; n <= 4; ++n) {
    if (c - 2 * n < 0) continue;
    out.push_back({static_cast<std::size_t>(c - 2 * n),
                   static_cast<std::uint8_t>(lati * 10 + n)});
  }
  return out;
}

}  // namespace compattatore::tool
