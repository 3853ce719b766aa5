#include "reader/train_reader.h"

namespace compattatore {

void leggi_treno(lettura& l) { l.chiudi_e_cancella(l.testi.treno); }

}  // namespace compattatore
