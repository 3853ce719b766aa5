#include "tool/build/job_compile.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/real_file_system.h"
#include "tool/common/message_prefix.h"
#include "tool/compilation/compaction.h"
#include "tool/compilation/compiled_set.h"
#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {
namespace {

// Every train still builds the track line: without it the curve rows are
// not read, and a fault in one would then go unseen and change the other
// files.
void compile(scenario_job& job, const std::string& out_dir) {
  route_job& r = *job.route;
  scenario_paths p;
  p.testo_linea = r.testo.path;
  p.testo_treno = job.testo.path;
  p.nome_linea = r.name;
  p.numero_treno = job.numero;
  // One file as both texts is read as compile reads it.
  std::error_code same_ec;
  p.same_file =
      std::filesystem::equivalent(p.testo_linea, p.testo_treno, same_ec);
  real_file_system disk;
  texts_in_memory texts(disk, p.testo_linea, r.testo.bytes, p.testo_treno,
                        job.testo.bytes);
  scenario s;
  s.nome_linea = p.nome_linea;
  s.numero_treno = p.numero_treno;
  check_options options;
  options.same_file = p.same_file;
  compaction_outcome c =
      compact_texts(s, 1, texts, p.testo_linea, p.testo_treno, options);
  job.status = c.status;
  job.diagnostics = std::move(c.diagnostics);
  job.result = std::move(c.json);
  std::vector<written_file> written;
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
    std::string problem;
    if (write_compiled_set(s, p, out_dir, &written, &problem)) {
      const file_names names{out_dir, r.name, job.numero};
      if (with_track) {
        r.track_written = true;
        r.track_stamp = stamp_of(names.file_linea());
      }
      job.stations = stamp_of(names.file_stazioni());
      job.cells = stamp_of(names.file_celle());
    } else {
      job.status = exit_status::file_failure;
      job.diagnostics += std::string(message_prefix) + problem + '\n';
    }
  }
  job.result["files"] = files_json(written);
}

}  // namespace

void compile_job(scenario_job& job, const std::string& out_dir) {
  const auto start = std::chrono::steady_clock::now();
  job.rebuilt = true;
  try {
    compile(job, out_dir);
  } catch (const std::exception& e) {
    // Whatever happens to one scenario is that scenario's result: the
    // others go on.
    job.status = exit_status::file_failure;
    job.diagnostics +=
        std::string(message_prefix) + job.name + ": " + e.what() + '\n';
  }
  job.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
}

}  // namespace compattatore::tool
