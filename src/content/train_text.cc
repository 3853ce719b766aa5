#include "content/train_text.h"

namespace compattatore {

righe righe_treno() { return fill_righe({"[generale]", "[fine]"}); }

void dati_treno(file_system& fs, const file_names& names) {
  scrivi_righe(righe_treno(), fs, names.testo_treno());
}

}  // namespace compattatore
