// The compiled-in scenario compacted in memory, as `compatta compile` makes
// it of the texts `compatta texts` writes, for the tests of the drawings.
#ifndef TESTS_COMPILED_IN_SCENARIO_H_
#define TESTS_COMPILED_IN_SCENARIO_H_

#include <string>
#include <string_view>
#include <vector>

#include "content/route_text.h"
#include "content/text_writer.h"
#include "content/train_text.h"
#include "model/scenario.h"
#include "reader/memorizza_dati.h"
#include "tests/memory_file_system.h"
#include "tool/compilation/compaction.h"

namespace compattatore {

/// Compacts the compiled-in texts with `j`, the train text with `rows`
/// (lines ending in CR LF) added after its "[rallentamenti]" heading.
/// `before_pass`, when given, receives the cell row as read.
inline scenario compiled_in_scenario(
    std::int32_t j, std::string_view rows = {},
    std::vector<cella>* before_pass = nullptr) {
  memory_file_system fs;
  fs.files["Orsella_Vantrona_linea.txt"] = testo_righe(righe_linea());
  std::string treno = testo_righe(righe_treno());
  const std::string heading = "[rallentamenti]\r\n";
  treno.insert(treno.find(heading) + heading.size(), rows);
  fs.files["Orsella_Vantrona_4273-.txt"] = treno;
  scenario s;
  s.nome_linea = "Orsella_Vantrona";
  s.numero_treno = "4273";
  (void)tool::compact_texts(s, j, fs, "Orsella_Vantrona_linea.txt",
                            "Orsella_Vantrona_4273-.txt");
  if (before_pass) {
    scenario as_read;
    memorizza_dati(
        as_read, fs,
        {"Orsella_Vantrona_linea.txt", "Orsella_Vantrona_4273-.txt", false});
    *before_pass = as_read.celle;
  }
  return s;
}

}  // namespace compattatore

#endif  // TESTS_COMPILED_IN_SCENARIO_H_
