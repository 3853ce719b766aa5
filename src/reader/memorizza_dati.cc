#include "reader/memorizza_dati.h"

#include <optional>

#include "model/codici_errore.h"
#include "reader/checker_reporter.h"
#include "reader/field_reader.h"
#include "reader/lettura.h"
#include "reader/program_reporter.h"
#include "reader/route_reader.h"
#include "reader/train_reader.h"

namespace compattatore {
namespace {

// Every unexpected failure ends reading the same way: whatever text was
// open is dropped, both texts go where they still exist, and code 25 is
// recorded at the field read last (by the recovering reading too).
void fallimento(lettura& l, reporter& r, const char* what) {
  r.errore(codice::lettura_fallita, [what](const checker_reporter& c) {
    return wording{c.posto_ultimo(),
                   std::string("reading stopped here: ") + what};
  });
  guasto g{codice::lettura_fallita, std::nullopt, std::nullopt};
  if (l.campi) {
    g = l.guasto_a(codice::lettura_fallita, std::nullopt,
                   l.campi->last_field());
  } else if (l.corrente != quale_testo::nessuno) {
    g.punto = punto_lettura{l.corrente, 0, 0};
  }
  l.campi.reset();
  registra(l.s, g);
  if (!l.testi.cancella) return;
  for (const std::string& path : {l.testi.linea, l.testi.treno}) {
    try {
      if (l.fs.exists(path)) l.fs.remove(path);
    } catch (const file_error&) {
      // Nothing more can be done for a text that will not go.
    }
  }
}

void leggi(lettura& l, reporter& r) {
  try {
    if (leggi_linea(l, r)) leggi_treno(l, r);
  } catch (const read_failure& x) {
    fallimento(l, r, x.what());
  } catch (const file_error& x) {
    fallimento(l, r, x.what());
  }
}

}  // namespace

void memorizza_dati(scenario& s, file_system& fs, const testi_scenario& testi,
                    problem_sink* sink) {
  s.stazioni[stazione_testata_linea].nome = s.nome_linea;
  s.stazioni[stazione_testata_treno].nome = s.numero_treno;
  lettura l(s, fs, testi);
  if (sink == nullptr) {
    program_reporter programma(s);
    leggi(l, programma);
    return;
  }
  checker_reporter controllo(l, *sink);
  leggi(l, controllo);
}

}  // namespace compattatore
