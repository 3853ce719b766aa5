#include "content/route_text.h"

namespace compattatore {

righe righe_linea() { return fill_righe({"[generale]", "[fine]"}); }

void dati_linea(file_system& fs, const file_names& names) {
  scrivi_righe(righe_linea(), fs, names.testo_linea());
}

}  // namespace compattatore
