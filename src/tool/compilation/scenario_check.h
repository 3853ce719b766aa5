// One check of a scenario's two texts as `report` and `watch` make it: the
// texts as read, compacted in memory as `compile` would, and what `compile`
// would write, without writing it.
#ifndef TOOL_COMPILATION_SCENARIO_CHECK_H_
#define TOOL_COMPILATION_SCENARIO_CHECK_H_

#include <string>
#include <vector>

#include "model/scenario.h"
#include "tool/compilation/compaction.h"
#include "tool/compilation/scenario_texts.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {

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

/// Compacts the texts `t` with their track line into `*c`, which keeps
/// their bytes.
void check_scenario(scenario_texts t, scenario_check* c);

/// What `report` and `watch` print of a check's problems: today the lines
/// `check` prints.
std::string diagnostics_text(const compaction_outcome& c);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_SCENARIO_CHECK_H_
