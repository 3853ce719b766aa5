#include "tool/commands/build_command.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "compact/driver.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/real_file_system.h"
#include "tool/build/build_state.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/compile_command.h"
#include "tool/compilation/text_names.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/output_dir.h"
#include "tool/files/read_limits.h"
#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

// A text of the folder, read once: every compile of it reads these bytes,
// and the state records their impronta.
struct testo_letto {
  std::string path;
  std::string bytes;
  std::string hash;
  /// Why it could not be read; empty when it was.
  std::string failure;
};

testo_letto leggi_testo(file_system& disk, std::string path) {
  testo_letto t;
  t.path = std::move(path);
  try {
    t.bytes = disk.read(t.path, limite_testo);
    t.hash = impronta(t.bytes);
  } catch (const file_error& e) {
    t.failure = e.what();
  }
  return t;
}

struct route_job {
  std::string name;
  testo_letto testo;
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
  testo_letto testo;
  bool dirty = false;

  int status = exit_status::ok;
  bool rebuilt = false;
  std::string diagnostics;
  json result = json::object();
  double seconds = 0;
  std::optional<file_stamp> stations;
  std::optional<file_stamp> cells;
};

// One scenario as `compatta compile ROUTE TRAIN -o OUT` does it, but for
// the route-wide file, which only the first train of a route that needs
// it writes. Every train still builds the track line: without it the
// curve rows are not read, and a fault in one would then go unseen and
// change the other files.
void compila(scenario_job& job, const std::string& out_dir) {
  route_job& r = *job.route;
  real_file_system disk;
  texts_in_memory texts(disk, r.testo.path, r.testo.bytes, job.testo.path,
                        job.testo.bytes);
  guarded_file_system fs(texts, {r.testo.path, job.testo.path});
  std::error_code same_ec;
  if (std::filesystem::equivalent(r.testo.path, job.testo.path, same_ec)) {
    job.status = exit_status::file_failure;
    job.diagnostics = std::string(prefisso_tool) + "the route text " +
                      r.testo.path + " and the train text " + job.testo.path +
                      " are the same file: give two different texts\n";
    return;
  }
  scenario s;
  s.nome_linea = r.name;
  s.numero_treno = job.numero;
  compaction_outcome c = compatta_testi(s, 1, fs, r.testo.path, job.testo.path);
  job.status = c.status;
  job.diagnostics = std::move(c.diagnostics);
  job.result = std::move(c.json);
  if (c.sealed) {
    std::unique_lock<std::mutex> lock(r.m, std::defer_lock);
    bool with_track = false;
    if (r.needs_track) {
      lock.lock();
      with_track = !r.track_written;
      if (!with_track) lock.unlock();
    }
    if (!with_track) {
      s.scrivi_tracciato = 0;
      s.tracciato.clear();
    }
    const file_names names{out_dir, r.name, job.numero};
    fs.allow_writes();
    try {
      scrivi_file_compilati(s, fs, names);
      if (with_track) {
        r.track_written = true;
        r.track_stamp = stamp_of(names.file_linea());
      }
      job.stations = stamp_of(names.file_stazioni());
      job.cells = stamp_of(names.file_celle());
    } catch (const file_error& e) {
      job.status = exit_status::file_failure;
      job.diagnostics += std::string(prefisso_tool) + e.what() + '\n';
    }
  }
  job.result["files"] = files_json(fs.written());
}

void compila_o_segnala(scenario_job& job, const std::string& out_dir) {
  const auto start = std::chrono::steady_clock::now();
  job.rebuilt = true;
  try {
    compila(job, out_dir);
  } catch (const std::exception& e) {
    // Whatever happens to one scenario is that scenario's result: the
    // others go on.
    job.status = exit_status::file_failure;
    job.diagnostics +=
        std::string(prefisso_tool) + job.name + ": " + e.what() + '\n';
  }
  job.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
}

// The scenarios of the folder: each train text paired with the route text
// whose name is the longest that its own name starts with, followed by an
// underscore. Route texts without a train are named in `senza_treni`.
void raccogli(const std::string& dir, const std::vector<std::string>& files,
              std::vector<std::unique_ptr<route_job>>& routes,
              std::vector<scenario_job>& jobs,
              std::vector<std::string>& senza_treni) {
  std::map<std::string, route_job*, std::less<>> by_name;
  for (const std::string& f : files) {
    const auto nome = nome_linea_da_file(f);
    if (!nome) continue;
    routes.push_back(std::make_unique<route_job>());
    routes.back()->name = *nome;
    by_name[*nome] = routes.back().get();
  }
  std::map<route_job*, int> trains;
  for (const std::string& f : files) {
    if (nome_linea_da_file(f) || !f.ends_with(fine_testo_treno)) continue;
    const std::string_view stem =
        std::string_view(f).substr(0, f.size() - fine_testo_treno.size());
    if (stem.empty()) continue;
    scenario_job job;
    job.name = std::string(stem);
    job.testo.path = dir + "/" + f;
    for (std::size_t u = stem.rfind('_'); u != std::string_view::npos && u > 0;
         u = stem.rfind('_', u - 1)) {
      const auto it = by_name.find(stem.substr(0, u));
      if (it != by_name.end() && u + 1 < stem.size()) {
        job.route = it->second;
        job.numero = std::string(stem.substr(u + 1));
        ++trains[job.route];
        break;
      }
    }
    jobs.push_back(std::move(job));
  }
  for (const auto& r : routes) {
    if (trains[r.get()] == 0) senza_treni.push_back(r->name);
  }
}

std::string tempo(const scenario_job& j) {
  if (!j.rebuilt) return "-";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f ms", j.seconds * 1000);
  return buf;
}

std::string esito(const scenario_job& j) {
  if (j.route == nullptr) return "no route text";
  switch (j.status) {
    case exit_status::ok:
      return j.rebuilt ? "compiled" : "up to date";
    case exit_status::data_fault:
      return j.rebuilt ? "data fault" : "data fault, up to date";
    case exit_status::errore: {
      const auto e = j.result.find("errore");
      return "seal guard" +
             (e == j.result.end() ? std::string() : " " + e->dump());
    }
    default:
      return "file error";
  }
}

void stampa_tabella(const std::vector<scenario_job>& jobs, int status,
                    std::ostream& out) {
  std::size_t w_name = std::string_view("scenario").size();
  std::size_t w_result = std::string_view("result").size();
  for (const scenario_job& j : jobs) {
    w_name = std::max(w_name, j.name.size());
    w_result = std::max(w_result, esito(j).size());
  }
  auto pad = [](std::string s, std::size_t w) {
    if (s.size() < w) s.append(w - s.size(), ' ');
    return s;
  };
  auto right = [](const std::string& s, std::size_t w) {
    return s.size() < w ? std::string(w - s.size(), ' ') + s : s;
  };
  out << pad("scenario", w_name) << "  " << pad("result", w_result)
      << "  errors  warnings      time\n";
  int compiled = 0;
  int up_to_date = 0;
  int faults = 0;
  int failed = 0;
  for (const scenario_job& j : jobs) {
    out << pad(j.name, w_name) << "  " << pad(esito(j), w_result) << "  "
        << right(j.status == exit_status::ok ? "0" : "1", 6) << "  "
        << right("0", 8) << "  " << right(tempo(j), 8) << '\n';
    (j.rebuilt ? compiled : up_to_date) += j.route != nullptr ? 1 : 0;
    if (j.status == exit_status::data_fault) ++faults;
    if (j.status > exit_status::data_fault) ++failed;
  }
  out << jobs.size() << (jobs.size() == 1 ? " scenario: " : " scenarios: ")
      << compiled << " compiled, " << up_to_date << " up to date; " << faults
      << " with a data fault, " << failed << " failed; exit status " << status
      << '\n';
}

json oggetto_json(const scenario_job& j) {
  json o = json::object();
  o["scenario"] = j.name;
  o["rebuilt"] = j.rebuilt;
  o["status"] = j.status;
  if (j.rebuilt) o["time_ms"] = j.seconds * 1000;
  if (j.route == nullptr) o["file"] = j.testo.path;
  for (const auto& [key, value] : j.result.items()) o[key] = value;
  if (j.status == exit_status::file_failure) {
    // The last line said: the file that could not be read or written, or
    // the missing route text.
    std::string_view line = j.diagnostics;
    line.remove_suffix(1);
    line = line.substr(line.rfind('\n') + 1);
    if (line.starts_with(prefisso_tool))
      line.remove_prefix(prefisso_tool.size());
    o["error"] = line;
  }
  if (!o.contains("files")) o["files"] = json::array();
  return o;
}

}  // namespace

int run_build(const build_options& o, std::ostream& out, std::ostream& err) {
  const std::string dir = normalise_dir(o.dir);
  const std::string out_dir = o.out.empty() ? dir : normalise_dir(o.out);
  const std::string dir_shown = dir.empty() ? "/" : dir;

  std::vector<std::string> files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir_shown, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code kind_ec;
    if (it->is_regular_file(kind_ec)) {
      files.push_back(it->path().filename().string());
    }
  }
  if (ec) {
    err << prefisso_tool << "cannot read the folder " << dir_shown << ": "
        << ec.message() << '\n';
    return exit_status::file_failure;
  }
  std::sort(files.begin(), files.end());

  std::vector<std::unique_ptr<route_job>> routes;
  std::vector<scenario_job> jobs;
  std::vector<std::string> senza_treni;
  raccogli(dir, files, routes, jobs, senza_treni);
  if (jobs.empty()) {
    err << prefisso_tool << "no train text (NAME_N-.txt) in " << dir_shown
        << ": nothing to compile\n";
    return exit_status::file_failure;
  }
  for (const std::string& name : senza_treni) {
    err << prefisso_tool << "note: " << file_names{dir, name, ""}.testo_linea()
        << " has no train text beside it; nothing was compiled for it\n";
  }

  const bool any_route = std::any_of(jobs.begin(), jobs.end(),
                                     [](const auto& j) { return j.route; });
  std::string problem;
  if (any_route &&
      (!usable_dir(out_dir, &problem) || !make_dir(out_dir, &problem))) {
    err << prefisso_tool << problem << '\n';
    return exit_status::file_failure;
  }

  // The state of the last build, when there is one to trust.
  real_file_system disk;
  const std::string state_path = out_dir + "/" + std::string(nome_stato);
  std::string old_bytes;
  std::optional<build_state> old;
  if (!o.force && any_route && disk.exists(state_path)) {
    std::string why;
    try {
      old_bytes = disk.read(state_path, compiled_file_limit);
      old = leggi_stato(old_bytes, &why);
    } catch (const file_error& e) {
      why = e.what();
    }
    if (old && old->texts != dir) {
      why = "made from the texts in " + old->texts;
      old.reset();
    }
    if (!old) {
      err << prefisso_tool << "note: not using " << state_path << " (" << why
          << "): compiling every scenario\n";
    }
  }

  for (const auto& r : routes) {
    r->testo = leggi_testo(disk, file_names{dir, r->name, ""}.testo_linea());
  }
  for (scenario_job& j : jobs) {
    if (j.route == nullptr) {
      const auto u = j.name.rfind('_');
      j.status = exit_status::file_failure;
      j.diagnostics = std::string(prefisso_tool) + j.testo.path + ": ";
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
          std::string(prefisso_tool) + j.route->testo.failure + '\n';
      continue;
    }
    j.testo = leggi_testo(disk, std::move(j.testo.path));
    if (!j.testo.failure.empty()) {
      j.status = exit_status::file_failure;
      j.diagnostics = std::string(prefisso_tool) + j.testo.failure + '\n';
    }
  }

  // What must be compiled again: a scenario whose texts, tool or files
  // are not what the state says, and for a route whose route-wide file is
  // not, the first of its trains.
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

  std::vector<scenario_job*> todo;
  for (scenario_job& j : jobs) {
    if (j.dirty) todo.push_back(&j);
  }
  if (!todo.empty()) {
    const unsigned machine = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads =
        std::min<std::size_t>(o.jobs == 0 ? machine : o.jobs, todo.size());
    std::atomic<std::size_t> next{0};
    std::mutex progress_m;
    std::size_t done = 0;
    auto worker = [&] {
      for (std::size_t i = next++; i < todo.size(); i = next++) {
        compila_o_segnala(*todo[i], out_dir);
        if (!o.progress) continue;
        const std::lock_guard<std::mutex> lock(progress_m);
        err << "\r" << prefisso_tool << "compiled " << ++done << " of "
            << todo.size() << ": " << todo[i]->name << "\x1b[K" << std::flush;
      }
    };
    if (o.progress) {
      err << prefisso_tool << "compiling " << todo.size() << " of "
          << jobs.size() << " scenarios" << std::flush;
    }
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();
    if (o.progress) err << "\r\x1b[K" << std::flush;
  }

  int status = exit_status::ok;
  for (const scenario_job& j : jobs) status = std::max(status, j.status);

  // The new state: what was written now, and what was up to date before.
  if (any_route) {
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
    const std::string bytes = scrivi_stato(now);
    if (bytes != old_bytes) {
      try {
        disk.replace(state_path, bytes);
      } catch (const file_error& e) {
        err << prefisso_tool << e.what() << '\n';
        status = std::max(status, exit_status::file_failure);
      }
    }
  }

  // Each scenario's lines under its name: a seal guard's do not say which
  // texts they are about.
  for (const scenario_job& j : jobs) {
    if (j.diagnostics.empty()) continue;
    err << prefisso_tool << "scenario " << j.name << ":\n" << j.diagnostics;
  }
  if (o.json) {
    json list = json::array();
    for (const scenario_job& j : jobs) list.push_back(oggetto_json(j));
    out << list.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
  } else {
    stampa_tabella(jobs, status, out);
  }
  return status;
}

}  // namespace compattatore::tool
