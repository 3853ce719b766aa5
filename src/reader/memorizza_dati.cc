#include "reader/memorizza_dati.h"

namespace compattatore {

void memorizza_dati(scenario& s, file_system& fs, const testi_scenario& testi) {
  s.stazioni[stazione_testata_linea].nome = s.nome_linea;
  s.stazioni[stazione_testata_treno].nome = s.numero_treno;
  if (testi.cancella) {
    fs.remove(testi.linea);
    fs.remove(testi.treno);
  }
}

}  // namespace compattatore
