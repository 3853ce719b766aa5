// compila_testi ROUTE_TEXT TRAIN_TEXT OUT_DIR NAME TRAIN: the core's compile
// of two texts into the three compiled files, with nothing else around it.
// Stands in for the author's tool in the whole-process measurements until
// that tool exists. Exit status: 0 no data fault, 1 a data fault (files
// written all the same), 2 a file that cannot be read or written, 3 a seal
// guard failed.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/real_file_system.h"
#include "compact/driver.h"
#include "model/fatal_report.h"
#include "model/file_names.h"
#include "model/scenario.h"

namespace {

class stderr_report : public compattatore::fatal_report {
 public:
  void errore(const std::string& a) override {
    std::cerr << "compila_testi: seal guard " << a << '\n';
  }
};

}  // namespace

int main(int argc, char** argv) {
  namespace c = compattatore;
  if (argc != 6) {
    std::cerr << "usage: compila_testi ROUTE_TEXT TRAIN_TEXT OUT_DIR NAME "
                 "TRAIN\n";
    return 2;
  }
  const c::file_names names{argv[3], argv[4], argv[5]};
  const c::testi_scenario testi{argv[1], argv[2], false};
  c::real_file_system fs;
  stderr_report report;
  c::scenario s;
  s.nome_linea = names.nome_linea;
  s.numero_treno = names.numero_treno;
  try {
    for (const std::string& path : {testi.linea, testi.treno}) {
      if (!fs.exists(path)) {
        std::cerr << "compila_testi: cannot read " << path << '\n';
        return 2;
      }
    }
    if (!c::compatta(s, 1, fs, testi, report)) return 3;
    c::scrivi_file_compilati(s, fs, names);
  } catch (const c::file_error& e) {
    std::cerr << "compila_testi: " << e.what() << '\n';
    return 2;
  }
  if (s.codice_errore != 0) {
    std::cerr << "compila_testi: data fault " << s.codice_errore << " at "
              << s.posizione_errore << " m\n";
    return 1;
  }
  return 0;
}
