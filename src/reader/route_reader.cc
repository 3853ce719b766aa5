#include "reader/route_reader.h"

namespace compattatore {

bool leggi_linea(lettura& l) {
  l.chiudi_e_cancella(l.testi.linea);
  return true;
}

}  // namespace compattatore
