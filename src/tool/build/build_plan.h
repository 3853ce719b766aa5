// What a build compiles again, by comparing each scenario with the state of
// the last build, and the state it leaves for the next.
#ifndef TOOL_BUILD_BUILD_PLAN_H_
#define TOOL_BUILD_BUILD_PLAN_H_

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tool/build/build_jobs.h"
#include "tool/build/build_state.h"

namespace compattatore::tool {

/// The state at `path` when it can be trusted: whole, of this version, and
/// made from the texts of `dir`. Otherwise nothing, after a note on `err`
/// (no note when there is no state at all). `*bytes` gets what the file
/// held.
std::optional<build_state> last_state(const std::string& path,
                                      const std::string& dir,
                                      std::string* bytes, std::ostream& err);

/// Marks dirty each scenario whose texts, tool or compiled files are not
/// what `old` says (every one without `old`), and for a route whose
/// route-wide file is not, the first of its trains; an up-to-date scenario
/// takes its result from `old`.
void mark_dirty(const std::vector<std::unique_ptr<route_job>>& routes,
                std::vector<scenario_job>& jobs,
                const std::optional<build_state>& old,
                const std::string& out_dir);

/// The state after the build: what was written now, and what was up to
/// date before.
build_state next_state(const std::string& dir,
                       const std::vector<std::unique_ptr<route_job>>& routes,
                       const std::vector<scenario_job>& jobs,
                       const std::optional<build_state>& old);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_BUILD_PLAN_H_
