// Long scenarios for measuring: a route text and a train text of any length
// with dense records that read without a fault.
#ifndef BENCH_SCENARIO_GENERATOR_H_
#define BENCH_SCENARIO_GENERATOR_H_

#include <cstdint>
#include <string>

namespace compattatore {

/// Shortest route the generator lays records on: one kilometre block after
/// the first.
inline constexpr std::int32_t lunghezza_minima_generata = 2000;

/// How many records of each kind a generated scenario holds.
struct conteggi_generati {
  std::int32_t curve = 0;
  std::int32_t pendenze = 0;
  std::int32_t montagne = 0;
  std::int32_t indicatori = 0;
  std::int32_t cartelli = 0;
  std::int32_t stazioni = 0;
  std::int32_t segnali = 0;
  std::int32_t rallentamenti = 0;
  std::int32_t abbattimenti = 0;
  std::int32_t velocita = 0;
};

struct scenario_generato {
  std::string linea;  // route text, CR LF lines
  std::string treno;  // train text
  conteggi_generati conteggi;
};

/// The scenario of `lunghezza` metres. The same length always gives the
/// same bytes. Records follow a one-kilometre pattern that keeps every
/// marker on a free cell and leaves the consistency pass room everywhere;
/// stations and indication boards share the 78 station-table entries.
/// REQUIRES: lunghezza_minima_generata <= lunghezza <= 1000000.
scenario_generato genera_scenario(std::int32_t lunghezza);

}  // namespace compattatore

#endif  // BENCH_SCENARIO_GENERATOR_H_
