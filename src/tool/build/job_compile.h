// One scenario of a build compiled as `compatta compile ROUTE TRAIN -o OUT`
// compiles it, but for the route-wide file, which only the first train of
// a route that needs it writes.
#ifndef TOOL_BUILD_JOB_COMPILE_H_
#define TOOL_BUILD_JOB_COMPILE_H_

#include <string>

#include "tool/build/build_jobs.h"

namespace compattatore::tool {

/// Compiles `job` (which has its route) into `out_dir`, timing it. Whatever
/// goes wrong becomes the job's result, with status 2: the other scenarios
/// go on.
void compile_job(scenario_job& job, const std::string& out_dir);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_JOB_COMPILE_H_
