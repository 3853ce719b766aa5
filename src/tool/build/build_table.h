// What `compatta build` prints of its scenarios: a table for people, or a
// JSON object each for programs.
#ifndef TOOL_BUILD_BUILD_TABLE_H_
#define TOOL_BUILD_BUILD_TABLE_H_

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "tool/build/build_jobs.h"

namespace compattatore::tool {

/// One row per scenario (name, result, errors, warnings, time), then a
/// summary line ending in the exit status `status`.
void print_table(const std::vector<scenario_job>& jobs, int status,
                 std::ostream& out);

/// The scenario's object of `build --json`: its name, whether it was
/// compiled now, its status and time, and its compile's `--json` fields.
nlohmann::ordered_json job_json(const scenario_job& j);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_BUILD_TABLE_H_
