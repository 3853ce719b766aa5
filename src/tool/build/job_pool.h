// The scenarios of a build compiled several at once.
#ifndef TOOL_BUILD_JOB_POOL_H_
#define TOOL_BUILD_JOB_POOL_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "tool/build/build_jobs.h"

namespace compattatore::tool {

/// Compiles each of `todo` into `out_dir`, `jobs` at once (0: one per
/// processor). With `progress`, keeps a line on `err` saying how far it is
/// of the `total` scenarios.
void compile_jobs(const std::vector<scenario_job*>& todo,
                  const std::string& out_dir, unsigned jobs, bool progress,
                  std::size_t total, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_JOB_POOL_H_
