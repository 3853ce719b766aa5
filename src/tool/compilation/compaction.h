// The program's compaction run over an author's two texts, which are only
// read: the program's model and recorded fault, and beside them the list of
// every problem found, as compile, check, build, profile, report and watch
// all report it.
#ifndef TOOL_COMPILATION_COMPACTION_H_
#define TOOL_COMPILATION_COMPACTION_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "platform/file_system.h"
#include "tool/diagnostics/diagnostic.h"
#include "tool/diagnostics/diagnostic_printer.h"

namespace compattatore::tool {

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
  std::vector<diagnostic> problems;
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
compaction_outcome compact_texts(scenario& s, std::int32_t j, file_system& fs,
                                 const std::string& testo_linea,
                                 const std::string& testo_treno,
                                 const check_options& options = {});

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_COMPACTION_H_
