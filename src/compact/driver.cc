#include "compact/driver.h"

#include <string>
#include <vector>

#include "compact/cell_file.h"
#include "compact/check_codes.h"
#include "compact/consistency_pass.h"
#include "compact/station_file.h"
#include "compact/track_file.h"

namespace compattatore {

namespace {

// A failed guard, for the author: what took the seal's place.
void guardia_rotta(const scenario& s, problem_sink* sink,
                   std::string_view numero, const char* valore) {
  if (sink == nullptr) return;
  const record_origin* o = sink->origin(1);
  text_place place;
  std::string who = "the header entry 85";
  if (o != nullptr) {
    place = o->place;
    who = sink->what(*o);
  } else if (s.celle.size() > 1) {
    who = describe_cell(s.celle[1]);
  }
  int code = 0;
  for (char c : numero) code = code * 10 + (c - '0');
  sink->error(code, place,
              who + " lands in the route's first 50 m and sets its " + valore +
                  " value, where the compiled files carry their seal: the "
                  "program stops with \" Errore n. " +
                  std::string(numero) +
                  "\" and writes no file; place it after the first 100 m");
}

}  // namespace

bool sigilla(scenario& s, fatal_report& report, problem_sink* sink) {
  stazione& testata = s.stazioni[stazione_testata_linea];
  // An empty cell row has no cell 1: the seal then has nowhere to go in it
  // and the guards look at the station entry alone.
  cella nessuna;
  cella& prima = s.celle.size() > 1 ? s.celle[1] : nessuna;

  if (testata.numero_1 != 0 || prima.valore_1 != 0) {
    guardia_rotta(s, sink, errore_sigillo_1, "first");
    report.errore(std::string(errore_sigillo_1));
    return false;
  }
  testata.numero_1 = timbro_stazioni;
  prima.valore_1 = timbro_celle;
  if (testata.orario != 0 || prima.valore_2 != 0) {
    guardia_rotta(s, sink, errore_sigillo_2, "second");
    report.errore(std::string(errore_sigillo_2));
    return false;
  }
  testata.orario = codice_gara_st(s);
  prima.valore_2 = codice_gara_og(s);
  return true;
}

bool compatta(scenario& s, std::int32_t j, file_system& fs,
              const testi_scenario& testi, fatal_report& report,
              problem_sink* sink) {
  s.scrivi_tracciato = j;
  s.codice_errore = 0;
  s.posizione_errore = 0;
  s.punto_errore = {};
  for (stazione& st : s.stazioni) st = stazione{};
  memorizza_dati(s, fs, testi, sink);
  passo_consistenza(s, sink);
  return sigilla(s, report, sink);
}

void scrivi_file_compilati(const scenario& s, file_system& fs,
                           const file_names& names) {
  const std::string stazioni = encode_stations(s.stazioni);
  const std::string celle = encode_cells(s.celle);
  std::vector<new_file> files;
  if (s.scrivi_tracciato != 0) {
    files.push_back(
        {names.file_linea(), byte_tracciato(s.tracciato),
         [&s](const byte_sink& sink) { encode_track(s.tracciato, sink); }});
  }
  files.push_back({names.file_stazioni(), stazioni.size(),
                   [&stazioni](const byte_sink& sink) { sink(0, stazioni); }});
  files.push_back({names.file_celle(), celle.size(),
                   [&celle](const byte_sink& sink) { sink(0, celle); }});
  fs.replace_set(files);
}

void memorizza_percorso(scenario& s, std::int32_t j, file_system& fs,
                        const file_names& names, fatal_report& report) {
  const testi_scenario testi{names.testo_linea(), names.testo_treno(), true};
  if (!compatta(s, j, fs, testi, report)) return;
  scrivi_file_compilati(s, fs, names);
}

}  // namespace compattatore
