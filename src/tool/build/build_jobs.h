// What `compatta build` works on: the route texts of a folder and the
// scenarios, one per train text, each read once and compiled at most once.
#ifndef TOOL_BUILD_BUILD_JOBS_H_
#define TOOL_BUILD_BUILD_JOBS_H_

#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "tool/build/build_state.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {

/// A text of the folder, read once: every compile of it reads these bytes,
/// and the state records their fingerprint.
struct folder_text {
  std::string path;
  std::string bytes;
  std::string hash;
  /// Why it could not be read; empty when it was.
  std::string failure;
};

/// Reads the text at `path` through `disk`, noting a failure instead of
/// throwing it.
folder_text read_folder_text(file_system& disk, std::string path);

struct route_job {
  std::string name;
  folder_text testo;
  /// Its route-wide file is missing, changed or made from another text:
  /// the first of its trains to get there writes it.
  bool needs_track = false;
  /// Guards the two below while a train writes the route-wide file.
  std::mutex m;
  bool track_written = false;
  std::optional<file_stamp> track_stamp;
};

struct scenario_job {
  std::string name;  // NAME_N, the stem of its files
  std::string numero;
  route_job* route = nullptr;  // none: no route text beside it
  folder_text testo;
  bool dirty = false;

  int status = exit_status::ok;
  bool rebuilt = false;
  std::string diagnostics;
  nlohmann::ordered_json result = nlohmann::ordered_json::object();
  double seconds = 0;
  std::optional<file_stamp> stations;
  std::optional<file_stamp> cells;
};

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_BUILD_JOBS_H_
