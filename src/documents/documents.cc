#include "documents/documents.h"

namespace compattatore {

righe righe_note() { return fill_righe({}); }

void dati_note(file_system& fs, const file_names& names) {
  scrivi_righe(righe_note(), fs, names.note());
}

void dati_rallentamenti(file_system& fs, const file_names& names) {
  scrivi_righe(righe_rallentamenti(), fs, names.rallentamenti());
}

void dati_scheda(file_system& fs, const file_names& names) {
  scrivi_righe(righe_scheda(), fs, names.scheda());
}

}  // namespace compattatore
