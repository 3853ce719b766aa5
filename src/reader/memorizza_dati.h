// Reading the route text and the train text back into the model.
#ifndef READER_MEMORIZZA_DATI_H_
#define READER_MEMORIZZA_DATI_H_

#include <cstddef>
#include <string>

#include "model/problem.h"
#include "model/scenario.h"
#include "platform/file_system.h"

namespace compattatore {

/// Largest scenario text read: far above any real route (a 1000 km route
/// with dense records is well under a megabyte), small enough that a text of
/// garbage cannot take the machine's memory.
inline constexpr std::size_t limite_testo = std::size_t{16} << 20;

/// Where the two texts are, and whether reading deletes them (the program
/// does; the author's tool never touches its input).
struct testi_scenario {
  std::string linea;
  std::string treno;
  bool cancella = true;
};

/// Reads the route text, then the train text, into `s`. Data faults are
/// recorded in `s.codice_errore` / `s.posizione_errore` (and where reading
/// stopped in `s.punto_errore`); nothing is thrown.
/// With `sink`, the reading recovers instead: every problem of both texts
/// goes to `sink`, a faulty record is left out and reading goes on, so the
/// model may differ from the program's when there was an error.
/// REQUIRES: names set, station table cleared, codice_errore 0.
void memorizza_dati(scenario& s, file_system& fs, const testi_scenario& testi,
                    problem_sink* sink = nullptr);

}  // namespace compattatore

#endif  // READER_MEMORIZZA_DATI_H_
