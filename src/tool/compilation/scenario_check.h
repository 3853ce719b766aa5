// One check of a scenario's two texts as `report` and `watch` make it: the
// texts read once, compacted in memory as `compile` would, and what
// `compile` would write, without writing it.
#ifndef TOOL_COMPILATION_SCENARIO_CHECK_H_
#define TOOL_COMPILATION_SCENARIO_CHECK_H_

#include <ostream>
#include <string>
#include <vector>

#include "model/file_names.h"
#include "model/scenario.h"
#include "tool/compilation/compile_command.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {

/// The two texts and the names that their compiled files take.
struct scenario_paths {
  std::string testo_linea;
  std::string testo_treno;
  std::string nome_linea;
  std::string numero_treno;
  /// The two texts are one file: checked as the program would read it,
  /// with a warning.
  bool same_file = false;
};

/// Takes the texts and names of `o`, as `compile` does: false, with the
/// reason on `err`, when a text cannot be read or a name cannot be told.
[[nodiscard]] bool scenario_paths_of(const compile_options& o,
                                     scenario_paths* p, std::ostream& err);

struct scenario_check {
  scenario s;
  compaction_outcome outcome;
  /// The texts' bytes as they were compacted.
  std::string testo_linea;
  std::string testo_treno;
  /// The files `compile` would write: their names (without a directory)
  /// and sizes; none when a seal guard failed.
  std::vector<written_file> files;
};

/// Reads both texts and compacts them with their track line. False with
/// `*err` when a text cannot be read.
[[nodiscard]] bool check_scenario(const scenario_paths& p, scenario_check* c,
                                  std::string* err);

/// What `report` and `watch` print of a check's problems: today the lines
/// `check` prints.
std::string diagnostics_text(const compaction_outcome& c);

/// Writes the compiled files of `c` into `dir` (made when missing), as
/// `compile` does, never over one of the texts; `c` must be sealed. False
/// with `*err` when a file cannot be written (the set is then as it was).
[[nodiscard]] bool write_compiled_files(const scenario_paths& p,
                                        const scenario_check& c,
                                        const std::string& dir,
                                        std::vector<written_file>* written,
                                        std::string* err);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_SCENARIO_CHECK_H_
