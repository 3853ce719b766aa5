// The core's steps one by one: reading fields, reading the compiled-in
// texts, the track line, the consistency pass and the three encoders.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/scenario_generator.h"
#include "compact/cell_file.h"
#include "compact/consistency_pass.h"
#include "compact/driver.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "content/route_text.h"
#include "content/text_writer.h"
#include "content/train_text.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "reader/cell_painters.h"
#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"
#include "reader/plan_view.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

constexpr std::int32_t mille_km = 1000000;

const scenario_generato& scenario_lungo() {
  static const scenario_generato g = genera_scenario(mille_km);
  return g;
}

// The long scenario compiled in memory, for the encoders.
const scenario& compilato_lungo() {
  static const scenario s = [] {
    memory_file_system fs;
    recording_report report;
    const file_names names{"/b", "Generata", "9000"};
    fs.files[names.testo_linea()] = scenario_lungo().linea;
    fs.files[names.testo_treno()] = scenario_lungo().treno;
    scenario out;
    out.nome_linea = names.nome_linea;
    out.numero_treno = names.numero_treno;
    const testi_scenario testi{names.testo_linea(), names.testo_treno(), false};
    if (!compatta(out, 1, fs, testi, report)) std::abort();
    return out;
  }();
  return s;
}

// Every field of the long route and train texts, as text, repeated to some
// 8 MB so that the text is not held in the caches: the reader's scanning
// cost per byte.
void BM_FieldReaderText(benchmark::State& state) {
  std::string text;
  while (text.size() < (std::size_t{8} << 20)) {
    text += scenario_lungo().linea;
    text += scenario_lungo().treno;
  }
  for (auto _ : state) {
    field_reader r(text);
    std::size_t fields = 0;
    while (!r.eof()) {
      benchmark::DoNotOptimize(r.read_text());
      ++fields;
    }
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FieldReaderText);

// Numbers only: rows of blank- and comma-separated whole numbers.
void BM_FieldReaderNumbers(benchmark::State& state) {
  std::string text;
  for (std::int32_t i = 0; i < 100000; ++i) {
    text += std::to_string(i * 50) + ",  " + std::to_string(i % 300 - 150) +
            "   " + std::to_string(i % 7) + "\r\n";
  }
  for (auto _ : state) {
    field_reader r(text);
    std::int64_t sum = 0;
    while (!r.eof()) sum += r.read_i32();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FieldReaderNumbers);

// memorizza_dati over the compiled-in route and train texts, with the
// track line (argument 1) and without it (0).
void BM_MemorizzaDatiCompilati(benchmark::State& state) {
  memory_file_system fs;
  const file_names names{"/b", std::string(nome_linea_compilato),
                         std::string(numero_treno_compilato)};
  fs.files[names.testo_linea()] = testo_righe(righe_linea());
  fs.files[names.testo_treno()] = testo_righe(righe_treno());
  const testi_scenario testi{names.testo_linea(), names.testo_treno(), false};
  const std::int64_t bytes =
      static_cast<std::int64_t>(fs.files[names.testo_linea()].size() +
                                fs.files[names.testo_treno()].size());
  for (auto _ : state) {
    scenario s;
    s.nome_linea = names.nome_linea;
    s.numero_treno = names.numero_treno;
    s.scrivi_tracciato = static_cast<std::int32_t>(state.range(0));
    memorizza_dati(s, fs, testi);
    if (s.codice_errore != 0) state.SkipWithError("data fault");
    benchmark::DoNotOptimize(s.celle.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          bytes);
}
BENCHMARK(BM_MemorizzaDatiCompilati)->Arg(0)->Arg(1);

// The track line of the longest route: a curve every 250 m, drawn and then
// its points computed a stretch at a time, as the route-wide file takes
// them. Items are metres.
void BM_TracciatoPerMetro(benchmark::State& state) {
  const std::int32_t ultimo = mille_km + 7000;
  disegno_tracciato t;
  std::vector<double> x(metri_pezzo_tracciato);
  std::vector<double> y(metri_pezzo_tracciato);
  for (auto _ : state) {
    plan_view v(t);
    v.make(ultimo);
    v.seed();
    for (std::int32_t s = 1000; s + 250 < mille_km; s += 250) {
      const double k = (s / 250) % 2 == 0 ? 0.001 : -0.0004;
      if (v.curve(s, 120, k) != esito_tracciato::fatto) {
        state.SkipWithError("curve outside the line");
      }
    }
    if (v.finish() != esito_tracciato::fatto) state.SkipWithError("finish");
    cammino_tracciato c(t);
    const auto punti = static_cast<std::size_t>(t.prossimo());
    while (c.metro() < punti) {
      const std::size_t n = std::min(x.size(), punti - c.metro());
      c.avanti(std::span(x).first(n), std::span(y).first(n));
      benchmark::DoNotOptimize(x.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          (ultimo - 1));
}
BENCHMARK(BM_TracciatoPerMetro)->Unit(benchmark::kMillisecond);

// A 1000 km row painted directly (so it needs no train reader): a signal
// every kilometre, a slowdown every third, half of them slow and a
// kilometre long, so the pass places points before signals, in the three
// windows, inside and after slowdowns. Items are cells swept.
std::vector<cella> riga_densa() {
  scenario s;
  s.numero_celle = (mille_km + 7000) / passo_cella;
  s.celle.assign(static_cast<std::size_t>(s.numero_celle) + 1, cella{});
  for (std::int32_t b = 1000; b < mille_km; b += 1000) {
    if (memo_segnale(s, b + 350, 1, 3, 4, 0, 0, 1, 2, 1, 0, 0) != 0) {
      std::abort();
    }
  }
  for (std::int32_t b = 3000, i = 0; b < mille_km - 2000; b += 3000, ++i) {
    const std::int32_t v = i % 2 == 0 ? 60 : 120;
    const std::int32_t l = i % 4 < 2 ? 1100 : 100;
    if (memo_rallentamento(s, b + 800, v, l, 0, 1, 0) != 0) std::abort();
  }
  return s.celle;
}

void BM_PassoConsistenza(benchmark::State& state) {
  const std::vector<cella> riga = riga_densa();
  scenario s;
  for (auto _ : state) {
    state.PauseTiming();
    s.celle = riga;
    s.codice_errore = 0;
    state.ResumeTiming();
    passo_consistenza(s);
    if (s.codice_errore != 0) state.SkipWithError("pass fault");
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(riga.size()));
}
BENCHMARK(BM_PassoConsistenza);

// The route-wide file of the long scenario as the disk takes it: points
// computed and encoded a stretch at a time, each piece handed to a sink.
void BM_EncodeTrack(benchmark::State& state) {
  const disegno_tracciato& t = compilato_lungo().tracciato;
  const std::size_t bytes = byte_tracciato(t);
  for (auto _ : state) {
    encode_track(t, [](std::size_t, std::string_view piece) {
      benchmark::DoNotOptimize(piece.data());
    });
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeTrack)->Unit(benchmark::kMillisecond);

void BM_EncodeStations(benchmark::State& state) {
  const auto& stazioni = compilato_lungo().stazioni;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string out = encode_stations(stazioni);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeStations);

void BM_EncodeCells(benchmark::State& state) {
  const std::vector<cella> riga = riga_densa();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string out = encode_cells(riga);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeCells);

// The whole compile of the 1000 km scenario in memory: reading, pass, seal
// and the three encoders, no disk. Items are route metres.
void BM_CompileLungoInMemoria(benchmark::State& state) {
  const file_names names{"/b", "Generata", "9000"};
  recording_report report;
  for (auto _ : state) {
    state.PauseTiming();
    memory_file_system fs;
    fs.files[names.testo_linea()] = scenario_lungo().linea;
    fs.files[names.testo_treno()] = scenario_lungo().treno;
    state.ResumeTiming();
    scenario s;
    s.nome_linea = names.nome_linea;
    s.numero_treno = names.numero_treno;
    memorizza_percorso(s, 1, fs, names, report);
    benchmark::DoNotOptimize(fs.files.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          mille_km);
}
BENCHMARK(BM_CompileLungoInMemoria)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace compattatore

BENCHMARK_MAIN();
