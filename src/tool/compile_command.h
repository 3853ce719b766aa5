// `compatta compile` and `compatta check`: the program's compaction over an
// author's own texts, which are only read.
#ifndef TOOL_COMPILE_COMMAND_H_
#define TOOL_COMPILE_COMMAND_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "platform/file_system.h"
#include "tool/diagnostic.h"
#include "tool/guarded_file_system.h"

namespace compattatore::tool {

struct compile_options {
  std::string testo_linea;
  std::string testo_treno;
  /// Where the compiled files go (compile only).
  std::string dir = ".";
  /// Empty: taken from the texts' file names.
  std::string nome_linea;
  std::string numero_treno;
  /// Compacts with j = 0: no track line is built and no route-wide file
  /// written.
  bool no_track = false;
  bool json = false;
};

/// What a compaction of two texts came to, before anything is written.
struct compaction_outcome {
  /// False when a seal guard failed: nothing may be written then.
  bool sealed = false;
  /// 0 no data fault, 1 a data fault, 3 a seal guard failed.
  int status = 0;
  /// What `check` prints on standard error: the fault's line and the seal
  /// guard's, each ending in a line end; empty when clean.
  std::string diagnostics;
  /// Every problem found, in the order of the texts.
  std::vector<diagnostic> elenco;
  /// The `--json` object without its "files".
  nlohmann::ordered_json json;
};

/// Compacts the texts at `testo_linea` and `testo_treno` through `fs` into
/// `s`, whose names are set, with `j` as the driver takes it, and says what
/// `compile` and `check` report of it. The texts are only read.
compaction_outcome compatta_testi(scenario& s, std::int32_t j, file_system& fs,
                                  const std::string& testo_linea,
                                  const std::string& testo_treno);

/// The route name (`o.nome_linea`, else from the route text's file name)
/// and, into `*numero`, the train number likewise; nothing, after saying
/// why on `err`, when a name cannot be told.
std::optional<std::string> names_or_fail(const compile_options& o,
                                         std::string* numero,
                                         std::ostream& err);

/// The "files" of the `--json` object: each file's path and size.
nlohmann::ordered_json files_json(const std::vector<written_file>& files);

/// Reads both texts, compacts them as the program does and, when `write`,
/// writes the compiled files into `o.dir`. Diagnostics go to `err`; the
/// files written (or, with `o.json`, one JSON object) to `out`. Returns the
/// exit status: 0 no data fault, 1 a data fault (the files are written all
/// the same), 2 wrong usage or a file that cannot be read or written, 3 a
/// seal guard failed (nothing written).
int run_compile(const compile_options& o, bool write, std::ostream& out,
                std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILE_COMMAND_H_
