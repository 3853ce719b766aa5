// `compatta compile` and `compatta check`: the program's compaction over an
// author's own texts, which are only read.
#ifndef TOOL_COMPILATION_COMPILE_COMMAND_H_
#define TOOL_COMPILATION_COMPILE_COMMAND_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "platform/file_system.h"
#include "tool/diagnostics/diagnostic.h"
#include "tool/diagnostics/diagnostic_printer.h"
#include "tool/files/guarded_file_system.h"

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
  /// -W flags as given, without the "-W": "no-NAME" silences a warning.
  std::vector<std::string> warning_flags;
  /// Warnings count as errors.
  bool strict = false;
  /// "auto" (when standard error is a terminal and NO_COLOR is not set),
  /// "always" or "never".
  std::string color = "auto";
};

/// What the diagnostics list holds beyond the program's own fault.
struct check_options {
  /// Warnings not to report, by name.
  std::vector<std::string> silenced;
  bool strict = false;
  /// The two texts are one file: reported as a warning.
  bool same_file = false;
};

/// What a compaction of two texts came to, before anything is written.
struct compaction_outcome {
  /// False when a seal guard failed: nothing may be written then.
  bool sealed = false;
  /// 0 no data fault, 1 a data fault, 3 a seal guard failed.
  int status = 0;
  /// What `check` prints on standard error, without colour (the list as
  /// print_diagnostics shows it); empty when clean.
  std::string diagnostics;
  /// Every problem found, in the order of the texts.
  std::vector<diagnostic> elenco;
  /// The two texts, for showing the lines the list points at.
  source_texts sources;
  /// The `--json` object without its "files".
  nlohmann::ordered_json json;
};

/// Compacts the texts at `testo_linea` and `testo_treno` through `fs` into
/// `s`, whose names are set, with `j` as the driver takes it, and says what
/// `compile` and `check` report of it. The texts are only read. `s` and the
/// recorded fault are the program's; the list comes from a reading that
/// recovers after each fault, run first: when it finds no error its model
/// is the program's, and only otherwise is the program's reading run too.
compaction_outcome compatta_testi(scenario& s, std::int32_t j, file_system& fs,
                                  const std::string& testo_linea,
                                  const std::string& testo_treno,
                                  const check_options& options = {});

/// The names -W takes after "no-", or an explanation of what is wrong with
/// `flag`.
[[nodiscard]] bool parse_warning_flag(const std::string& flag,
                                      std::string* name, std::string* problem);

/// The route name: `o.nome_linea`, or NAME of the route text's file name;
/// the train number into `*numero` likewise. Nothing, with the reason on
/// `err`, when a name cannot be told.
std::optional<std::string> names_or_fail(const compile_options& o,
                                         std::string* numero,
                                         std::ostream& err);

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

#endif  // TOOL_COMPILATION_COMPILE_COMMAND_H_
