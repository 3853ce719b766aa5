// genera_scenario LENGTH_M OUT_DIR [NAME] [TRAIN]: writes the generated
// route text NAME_linea.txt and train text NAME_TRAIN-.txt into OUT_DIR.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>

#include "bench/scenario_generator.h"
#include "model/file_names.h"
#include "platform/real_file_system.h"

int main(int argc, char** argv) {
  namespace c = compattatore;
  if (argc < 3 || argc > 5) {
    std::cerr << "usage: genera_scenario LENGTH_M OUT_DIR [NAME] [TRAIN]\n";
    return 2;
  }
  std::int32_t lunghezza = 0;
  const char* end = argv[1] + std::strlen(argv[1]);
  const auto [ptr, ec] = std::from_chars(argv[1], end, lunghezza);
  if (ec != std::errc{} || ptr != end ||
      lunghezza < c::lunghezza_minima_generata || lunghezza > 1000000) {
    std::cerr << "genera_scenario: LENGTH_M must be a whole number from "
              << c::lunghezza_minima_generata << " to 1000000\n";
    return 2;
  }
  const c::file_names names{argv[2], argc > 3 ? argv[3] : "Generata",
                            argc > 4 ? argv[4] : "9000"};
  const c::scenario_generato g = c::genera_scenario(lunghezza);
  try {
    c::real_file_system fs;
    fs.replace(names.testo_linea(), g.linea);
    fs.replace(names.testo_treno(), g.treno);
  } catch (const c::file_error& e) {
    std::cerr << "genera_scenario: " << e.what() << '\n';
    return 2;
  }
  std::cout << names.testo_linea() << '\n' << names.testo_treno() << '\n';
  return 0;
}
