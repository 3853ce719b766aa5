#include "tool/build/build_run.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "tool/build/build_jobs.h"
#include "tool/build/build_plan.h"
#include "tool/build/build_state.h"
#include "tool/build/build_table.h"
#include "tool/build/job_pool.h"
#include "tool/build/scenario_folder.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/files/output_dir.h"

namespace compattatore::tool {
namespace {

// Reads each job's texts once; a job that cannot be compiled (no route
// text, or a text that cannot be read) gets its status and message here.
void read_texts(const std::string& dir,
                const std::vector<std::unique_ptr<route_job>>& routes,
                std::vector<scenario_job>& jobs, file_system& disk) {
  for (const auto& r : routes) {
    r->testo =
        read_folder_text(disk, file_names{dir, r->name, ""}.testo_linea());
  }
  for (scenario_job& j : jobs) {
    if (j.route == nullptr) {
      const auto u = j.name.rfind('_');
      j.status = exit_status::file_failure;
      j.diagnostics = std::string(message_prefix) + j.testo.path + ": ";
      j.diagnostics += u == std::string::npos || u == 0
                           ? "not a train text NAME_N-.txt with a route text "
                             "NAME_linea.txt beside it; not compiled\n"
                           : "no route text " + j.name.substr(0, u) +
                                 std::string(fine_testo_linea) +
                                 " beside it; not compiled\n";
      continue;
    }
    if (!j.route->testo.failure.empty()) {
      j.status = exit_status::file_failure;
      j.diagnostics =
          std::string(message_prefix) + j.route->testo.failure + '\n';
      continue;
    }
    j.testo = read_folder_text(disk, std::move(j.testo.path));
    if (!j.testo.failure.empty()) {
      j.status = exit_status::file_failure;
      j.diagnostics = std::string(message_prefix) + j.testo.failure + '\n';
    }
  }
}

}  // namespace

int run_build(const build_options& o, std::ostream& out, std::ostream& err) {
  const std::string dir = normalise_dir(o.dir);
  const std::string out_dir = o.out.empty() ? dir : normalise_dir(o.out);
  const std::string dir_shown = dir.empty() ? "/" : dir;

  std::vector<std::string> files;
  std::string problem;
  if (!folder_files(dir, &files, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }
  std::vector<std::unique_ptr<route_job>> routes;
  std::vector<scenario_job> jobs;
  std::vector<std::string> without_trains;
  pair_texts(dir, files, &routes, &jobs, &without_trains);
  if (jobs.empty()) {
    err << message_prefix << "no train text (NAME_N-.txt) in " << dir_shown
        << ": nothing to compile\n";
    return exit_status::file_failure;
  }
  for (const std::string& name : without_trains) {
    err << message_prefix << "note: " << file_names{dir, name, ""}.testo_linea()
        << " has no train text beside it; nothing was compiled for it\n";
  }

  const bool any_route = std::any_of(jobs.begin(), jobs.end(),
                                     [](const auto& j) { return j.route; });
  if (any_route &&
      (!usable_dir(out_dir, &problem) || !make_dir(out_dir, &problem))) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }

  // The state of the last build, when there is one to trust.
  const std::string state_path = out_dir + "/" + std::string(state_file_name);
  std::string old_bytes;
  std::optional<build_state> old;
  if (!o.force && any_route) {
    old = last_state(state_path, dir, &old_bytes, err);
  }

  real_file_system disk;
  read_texts(dir, routes, jobs, disk);
  mark_dirty(routes, jobs, old, out_dir);
  std::vector<scenario_job*> todo;
  for (scenario_job& j : jobs) {
    if (j.dirty) todo.push_back(&j);
  }
  compile_jobs(todo, out_dir, o.jobs, o.progress, jobs.size(), err);

  int status = exit_status::ok;
  for (const scenario_job& j : jobs) status = std::max(status, j.status);

  if (any_route) {
    const std::string bytes = state_bytes(next_state(dir, routes, jobs, old));
    if (bytes != old_bytes) {
      try {
        disk.replace(state_path, bytes);
      } catch (const file_error& e) {
        err << message_prefix << e.what() << '\n';
        status = std::max(status, exit_status::file_failure);
      }
    }
  }

  // Each scenario's lines under its name: a seal guard's do not say which
  // texts they are about.
  for (const scenario_job& j : jobs) {
    if (j.diagnostics.empty()) continue;
    err << message_prefix << "scenario " << j.name << ":\n" << j.diagnostics;
  }
  if (o.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const scenario_job& j : jobs) list.push_back(job_json(j));
    out << list.dump(2, ' ', false,
                     nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
  } else {
    print_table(jobs, status, out);
  }
  return status;
}

}  // namespace compattatore::tool
