// The scenarios of a folder: its route texts, and each train text paired
// with the route text whose name is the longest that its own starts with.
#ifndef TOOL_BUILD_SCENARIO_FOLDER_H_
#define TOOL_BUILD_SCENARIO_FOLDER_H_

#include <memory>
#include <string>
#include <vector>

#include "tool/build/build_jobs.h"

namespace compattatore::tool {

/// The names of the regular files of `dir`, sorted. False with `*err`
/// naming the folder when it cannot be read.
[[nodiscard]] bool folder_files(const std::string& dir,
                                std::vector<std::string>* files,
                                std::string* err);

/// A job for each route text of `files` (names in the folder `dir`) and
/// one for each train text, with its route when one lies beside it. The
/// names of route texts without a train go to `*without_trains`.
void pair_texts(const std::string& dir, const std::vector<std::string>& files,
                std::vector<std::unique_ptr<route_job>>* routes,
                std::vector<scenario_job>* jobs,
                std::vector<std::string>* without_trains);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_SCENARIO_FOLDER_H_
