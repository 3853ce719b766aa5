#include "bench/scenario_generator.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <string>
#include <string_view>

namespace compattatore {
namespace {

// Records are laid in blocks of one kilometre, block k from k x 1000 m. The
// offsets below put each marker in its own cell of the block's 20 (the
// cell of a marker at offset o is o / 50 + 1), so no marker meets another:
//   cell 2 speed board, 3 station end, 4 indication board, 5 speed cap,
//   8 signal (approach codes in 6, 4, 2, 0), 13 slowdown warning with its
//   approach cells 12 to 9 (for a slowdown of the next block), 17 slowdown
//   start, 19 slowdown end (a long slowdown ends in the next block's 19).
// The consistency pass then finds free cells for its points: 7 or 6 before
// a signal, 12, 6 and the previous block's 19 before a start, and 14 and 5,
// 4 or 6 inside a long slowdown.
constexpr std::int32_t blocco = 1000;
constexpr std::int32_t offset_indicatore = 50;
constexpr std::int32_t offset_cartello = 150;
constexpr std::int32_t offset_abbattimento = 250;
constexpr std::int32_t offset_segnale = 350;
constexpr std::int32_t offset_rallentamento = 800;
constexpr std::int32_t offset_seconda_pendenza = 500;
// A station at the block's start with this length ends its area 200 m on,
// its end marker in cell 3.
constexpr std::int32_t lunghezza_stazione = 400;
constexpr std::int32_t rallentamento_corto = 100;
constexpr std::int32_t rallentamento_lungo = 1100;
constexpr std::int32_t montagna_inizio = 100;
constexpr std::int32_t montagna_fine = 600;
// Curves start at these offsets and are shorter than the gap between them.
constexpr std::int32_t offset_curve[] = {30, 280, 530, 780};
constexpr std::int32_t curva_massima = 220;

// Stations and indication boards share entries 1 to 80 of the station
// table; one more station than this would meet the boards.
constexpr std::int32_t posti_condivisi = 78;
constexpr std::int32_t stazioni_massime = 60;
constexpr std::int32_t montagne_massime = 80;

// A fixed-seed generator (splitmix64): the same bytes on every host.
class casuale {
 public:
  std::uint64_t next() {
    std::uint64_t z = (stato_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  }
  /// A whole number from `lo` to `hi`, both included.
  std::int32_t tra(std::int32_t lo, std::int32_t hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo + 1);
    return lo + static_cast<std::int32_t>(next() % span);
  }
  /// One of `scelte`.
  std::int32_t uno(std::initializer_list<std::int32_t> scelte) {
    const auto i = static_cast<std::size_t>(
        next() % static_cast<std::uint64_t>(scelte.size()));
    return scelte.begin()[i];
  }

 private:
  std::uint64_t stato_ = 0x636f6d7061747461u;
};

// A text being written: fields joined by ", ", lines ended by CR LF.
class testo_generato {
 public:
  void riga(std::string_view text) {
    out_.append(text);
    out_.append("\r\n");
  }
  void riga(std::string_view keyword,
            std::initializer_list<std::int32_t> values) {
    out_.append(keyword);
    for (const std::int32_t v : values) {
      out_.append(", ");
      out_.append(std::to_string(v));
    }
    out_.append("\r\n");
  }
  std::string& str() { return out_; }

 private:
  std::string out_;
};

// Block of the i-th of n records spread evenly over blocks 1 to `blocchi`.
std::int32_t blocco_di(std::int32_t i, std::int32_t n, std::int32_t blocchi) {
  return 1 +
         static_cast<std::int32_t>(static_cast<std::int64_t>(i) * blocchi / n);
}

void scrivi_linea(testo_generato& t, casuale& r, std::int32_t lunghezza,
                  std::int32_t blocchi, conteggi_generati& n) {
  const std::int32_t ultimo_passo = lunghezza - lunghezza % 50;
  t.riga("[generale]");
  t.riga("lunghezza percorso", {lunghezza});
  t.riga("progressiva chilometrica uno", {0, 0, 0});
  t.riga("progressiva chilometrica due", {0, 0, 0});
  t.riga("progressiva chilometrica tre", {0, 0, 0});
  t.riga("sfondo uno", {44500});
  t.riga("sfondo due", {1});
  t.riga("sfondo tre", {0});
  t.riga("ripetizione segnali 4 codici", {0, ultimo_passo});

  t.riga("[curve]");
  for (std::int32_t k = 1; k <= blocchi; ++k) {
    for (const std::int32_t o : offset_curve) {
      std::string keyword = "curva";
      keyword += r.uno({0, 1}) != 0 ? 's' : 'd';
      keyword += static_cast<char>('0' + r.tra(1, 6));
      t.riga(keyword, {k * blocco + o, r.tra(50, curva_massima)});
      ++n.curve;
    }
  }

  t.riga("[pendenze]");
  t.riga("pendenza", {0, 0});
  ++n.pendenze;
  for (std::int32_t k = 1; k <= blocchi; ++k) {
    t.riga("pendenza", {k * blocco, r.tra(-25, 25)});
    t.riga("pendenza", {k * blocco + offset_seconda_pendenza, r.tra(-25, 25)});
    n.pendenze += 2;
  }

  t.riga("[montagne]");
  n.montagne = std::min(montagne_massime, std::max(1, blocchi / 4));
  for (std::int32_t i = 0; i < n.montagne; ++i) {
    const std::int32_t b = blocco_di(i, n.montagne, blocchi) * blocco;
    t.riga("montagna",
           {b + montagna_inizio, b + montagna_fine, r.uno({1, 2, 11, 12})});
  }

  t.riga("[cartelli]");
  for (std::int32_t k = 1; k <= blocchi; ++k) {
    const std::int32_t vas = r.tra(6, 32) * 5;
    const std::int32_t strisce = r.tra(0, 2);
    if (r.uno({0, 1}) != 0) {
      t.riga(
          "indicatori_vmax, " + std::to_string(k * blocco + offset_indicatore) +
          ", " + std::to_string(vas) + ", " + std::to_string(vas) + ", " +
          std::to_string(vas) + ", " + std::to_string(strisce) + ", , , , 0");
    } else {
      const std::int32_t vad = r.tra(6, 32) * 5;
      t.riga("indicatori_vmax", {k * blocco + offset_indicatore, vas, vas, vas,
                                 strisce, vad, vad, vad, r.tra(0, 2)});
    }
    ++n.indicatori;
  }
}

void scrivi_cartelli(testo_generato& t, std::int32_t blocchi,
                     conteggi_generati& n) {
  t.riga("[indicazioni]");
  for (std::int32_t i = 0; i < n.cartelli; ++i) {
    const std::int32_t b = blocco_di(i, n.cartelli, blocchi) * blocco;
    t.riga("cartello_indicatore, " + std::to_string(b + offset_cartello) +
           ", (galleria  m." + std::to_string(100 + 50 * (i % 30)) + "    )");
  }
  t.riga("[fine]");
}

void scrivi_treno(testo_generato& t, casuale& r, std::int32_t blocchi,
                  conteggi_generati& n) {
  t.riga("[generale]");
  t.riga("numero vetture", {8});
  t.riga("percentuale massa frenata", {120});
  t.riga("sabbia", {1});
  t.riga("orologio,    6              15            0 ");

  t.riga("[aderenze]");
  t.riga("aderenza", {0, 100});
  for (std::int32_t k = 50; k <= blocchi; k += 50) {
    t.riga("aderenza", {k * blocco, r.tra(80, 120)});
  }

  t.riga("[vel_limite]");
  t.riga("velocita", {0, 100});
  ++n.velocita;
  for (std::int32_t k = 2; k <= blocchi; k += 2) {
    t.riga("velocita", {k * blocco, r.tra(6, 20) * 10});
    ++n.velocita;
  }

  t.riga("[stazioni]");
  constexpr std::int32_t categorie[] = {2, 4, 12, 22, 26};
  for (std::int32_t i = 0; i < n.stazioni; ++i) {
    const std::int32_t b = blocco_di(i, n.stazioni, blocchi) * blocco;
    const std::int32_t categoria = categorie[i % 5];
    const std::int32_t minuti = 6 * 60 + 20 + 3 * i;
    t.riga("stazione, " + std::to_string(b) + ", " + std::to_string(categoria) +
           ", " + std::to_string(lunghezza_stazione) + ", " +
           std::to_string(r.tra(0, 1)) + ", 0, 0,  " +
           std::to_string(r.tra(0, 4)) + "," + std::to_string(r.tra(0, 1)) +
           ",0,  " + std::to_string(r.tra(0, 5)) + ",1,0,    " +
           std::to_string(r.uno({0, 1, 60})) + ", " +
           std::to_string(minuti / 60) + "," + std::to_string(minuti % 60) +
           ", 0, Borgo " + std::to_string(i + 1));
  }

  t.riga("[rallentamenti]");
  for (std::int32_t k = 3; k <= blocchi; k += 3) {
    const std::int32_t lunghezza =
        (k / 3) % 2 == 0 ? rallentamento_corto : rallentamento_lungo;
    const std::int32_t v = r.uno({30, 60, 80, 100, 120, 150});
    t.riga("rallentamento", {k * blocco + offset_rallentamento, v, lunghezza,
                             r.tra(0, 1), 1, r.uno({0, 0, 10})});
    ++n.rallentamenti;
  }

  t.riga("[segnali]");
  for (std::int32_t k = 1; k <= blocchi; ++k) {
    const std::int32_t sx = r.tra(1, 2);
    // Only a timed signal (sx 2) keeps a time; the draw is made for every
    // signal all the same, so that the rest of the scenario stays as it was.
    const std::int32_t estratto = r.uno({0, 0, 0, 50, 150});
    const std::int32_t tempo = sx == 2 ? estratto : 0;
    t.riga("segnale", {k * blocco + offset_segnale, sx, r.tra(1, 5),
                       r.tra(0, 4), r.tra(0, 4), r.tra(0, 1), r.tra(0, 2),
                       r.tra(0, 3), r.tra(0, 3), r.tra(0, 1), tempo});
    ++n.segnali;
  }

  t.riga("[codici]");
  for (std::int32_t k = 2; k <= blocchi; k += 2) {
    t.riga("abbattimento",
           {k * blocco + offset_abbattimento, r.uno({0, 60, 90, 120, 150})});
    ++n.abbattimenti;
  }
  t.riga("[fine]");
}

}  // namespace

scenario_generato genera_scenario(std::int32_t lunghezza) {
  assert(lunghezza >= lunghezza_minima_generata && lunghezza <= 1000000 &&
         "generated routes are 2 km to 1000 km long");
  // Whole blocks that end at or before the route's end, block 0 left empty
  // so that nothing nears cell 1, which the seal keeps.
  const std::int32_t blocchi = lunghezza / blocco - 1;
  scenario_generato g;
  conteggi_generati& n = g.conteggi;
  n.stazioni = std::min(stazioni_massime, std::max(1, blocchi / 2));
  n.cartelli = std::min(posti_condivisi - n.stazioni, std::max(1, blocchi / 5));
  casuale r;
  testo_generato linea;
  scrivi_linea(linea, r, lunghezza, blocchi, n);
  scrivi_cartelli(linea, blocchi, n);
  testo_generato treno;
  scrivi_treno(treno, r, blocchi, n);
  g.linea = std::move(linea.str());
  g.treno = std::move(treno.str());
  return g;
}

}  // namespace compattatore
