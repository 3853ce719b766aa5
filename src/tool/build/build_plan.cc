#include "tool/build/build_plan.h"

#include <map>

#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "tool/common/message_prefix.h"
#include "tool/files/read_limits.h"

namespace compattatore::tool {

std::optional<build_state> last_state(const std::string& path,
                                      const std::string& dir,
                                      std::string* bytes, std::ostream& err) {
  real_file_system disk;
  if (!disk.exists(path)) return std::nullopt;
  std::string why;
  try {
    *bytes = disk.read(path, compiled_file_limit);
    if (std::optional<build_state> old = read_state(*bytes, &why)) {
      if (old->texts == dir) return old;
      why = "made from the texts in " + old->texts;
    }
  } catch (const file_error& e) {
    why = e.what();
  }
  err << message_prefix << "note: not using " << path << " (" << why
      << "): compiling every scenario\n";
  return std::nullopt;
}

void mark_dirty(const std::vector<std::unique_ptr<route_job>>& routes,
                std::vector<scenario_job>& jobs,
                const std::optional<build_state>& old,
                const std::string& out_dir) {
  for (const auto& r : routes) {
    const route_record* rec = nullptr;
    if (old) {
      const auto it = old->routes.find(r->name);
      if (it != old->routes.end()) rec = &it->second;
    }
    r->needs_track =
        rec == nullptr || rec->route_hash != r->testo.hash ||
        stamp_of(file_names{out_dir, r->name, ""}.file_linea()) != rec->track;
  }
  std::map<route_job*, scenario_job*> first_train;
  for (scenario_job& j : jobs) {
    if (j.route == nullptr || j.status != exit_status::ok) continue;
    first_train.emplace(j.route, &j);
    const scenario_record* rec = nullptr;
    if (old) {
      const auto it = old->scenarios.find(j.name);
      if (it != old->scenarios.end()) rec = &it->second;
    }
    const file_names names{out_dir, j.route->name, j.numero};
    j.dirty = rec == nullptr || rec->route != j.route->name ||
              rec->route_hash != j.route->testo.hash ||
              rec->train_hash != j.testo.hash ||
              stamp_of(names.file_stazioni()) != rec->stations ||
              stamp_of(names.file_celle()) != rec->cells;
    if (!j.dirty) {
      j.status = rec->status;
      j.diagnostics = rec->diagnostics;
      j.result = rec->json;
    }
  }
  for (const auto& [route, train] : first_train) {
    if (route->needs_track) train->dirty = true;
  }
}

build_state next_state(const std::string& dir,
                       const std::vector<std::unique_ptr<route_job>>& routes,
                       const std::vector<scenario_job>& jobs,
                       const std::optional<build_state>& old) {
  build_state now;
  now.texts = dir;
  for (const auto& r : routes) {
    if (r->track_written && r->track_stamp) {
      now.routes[r->name] = {r->testo.hash, *r->track_stamp};
    } else if (!r->needs_track) {
      now.routes[r->name] = old->routes.at(r->name);
    }
  }
  for (const scenario_job& j : jobs) {
    if (j.route == nullptr || j.status > exit_status::data_fault) continue;
    if (!j.rebuilt) {
      now.scenarios[j.name] = old->scenarios.at(j.name);
      continue;
    }
    if (!j.stations || !j.cells) continue;
    scenario_record rec;
    rec.route = j.route->name;
    rec.route_hash = j.route->testo.hash;
    rec.train_hash = j.testo.hash;
    rec.status = j.status;
    rec.diagnostics = j.diagnostics;
    rec.json = j.result;
    rec.json.erase("files");
    rec.stations = *j.stations;
    rec.cells = *j.cells;
    now.scenarios[j.name] = std::move(rec);
  }
  return now;
}

}  // namespace compattatore::tool
