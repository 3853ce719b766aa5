#include "app/run_sequence.h"

#include "compact/driver.h"
#include "content/route_text.h"
#include "content/train_text.h"
#include "documents/documents.h"
#include "model/file_names.h"

namespace compattatore {

void form_load(scenario& s, file_system& fs, const std::string& dir,
               fatal_report& report,
               const std::function<void()>& mostra_finestra) {
  s.nome_linea = nome_linea_compilato;
  s.numero_treno = numero_treno_compilato;
  if (mostra_finestra) mostra_finestra();

  const file_names names{dir, s.nome_linea, s.numero_treno};
  dati_linea(fs, names);
  dati_treno(fs, names);
  dati_note(fs, names);
  dati_rallentamenti(fs, names);
  dati_scheda(fs, names);
  memorizza_percorso(s, 1, fs, names, report);
}

}  // namespace compattatore
