// Two arbitrary texts (split at the first NUL byte) compiled as the program
// would, in memory: reading, consistency pass, seal and the three encoders.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compact/cell_file.h"
#include "compact/driver.h"
#include "model/codici_errore.h"
#include "model/file_names.h"
#include "tests/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  namespace c = compattatore;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = all.find('\0');
  const std::string_view route = all.substr(0, cut);
  const std::string_view train =
      cut == std::string_view::npos ? std::string_view{} : all.substr(cut + 1);

  c::memory_file_system fs;
  c::recording_report report;
  const c::file_names names{"/f", "r", "1"};
  fs.files[names.testo_linea()] = std::string(route);
  fs.files[names.testo_treno()] = std::string(train);

  c::scenario s;
  s.nome_linea = names.nome_linea;
  s.numero_treno = names.numero_treno;
  // The track line costs a step per metre: odd inputs go without it, so
  // both ways are explored and the fast one often.
  c::memorizza_percorso(s, static_cast<std::int32_t>(size % 2), fs, names,
                        report);

  if (c::codice::significato(s.codice_errore).empty()) __builtin_trap();
  if (!report.numbers.empty()) return 0;
  const std::string& cells = fs.files[names.file_celle()];
  if (cells.size() != s.celle.size() * c::byte_cella) __builtin_trap();
  if (fs.files.count(names.testo_linea()) != 0) __builtin_trap();
  return 0;
}
