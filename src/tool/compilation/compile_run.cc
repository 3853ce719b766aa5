#include "tool/compilation/compile_run.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/compilation/compaction.h"
#include "tool/compilation/compiled_set.h"
#include "tool/compilation/warning_flags.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/output_dir.h"
#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {
namespace {

// Colour only where a person reads it, and never against NO_COLOR.
bool in_colour(const std::string& when, const std::ostream& err) {
  if (when == "always") return true;
  if (when != "auto") return false;
  const char* no_color = std::getenv("NO_COLOR");
  return (no_color == nullptr || *no_color == '\0') && &err == &std::cerr &&
         ::isatty(STDERR_FILENO) == 1;
}

}  // namespace

int run_compile(const compile_options& o, bool write, std::ostream& out,
                std::ostream& err) {
  check_options co;
  co.strict = o.strict;
  std::string problem;
  if (!silenced_warnings(o.warning_flags, &co.silenced, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }
  scenario_texts t;
  if (!prepare_texts(o.texts, &t, err)) return exit_status::file_failure;
  const scenario_paths& p = t.paths;
  co.same_file = p.same_file;

  const std::string dir = normalise_dir(o.dir);
  if (write) {
    if (!usable_dir(dir, &problem)) {
      err << message_prefix << problem << '\n';
      return exit_status::file_failure;
    }
    // Refused before anything is written, so that no file of the set is
    // replaced when another cannot be.
    if (const auto refused =
            output_among_texts(p, compiled_set_paths(p, dir, !o.no_track))) {
      err << message_prefix << *refused << '\n';
      return exit_status::file_failure;
    }
  }
  real_file_system disk;
  texts_in_memory texts(disk, p.testo_linea, t.linea, p.testo_treno, t.treno);
  scenario s;
  s.nome_linea = p.nome_linea;
  s.numero_treno = p.numero_treno;
  compaction_outcome c = compact_texts(s, o.no_track ? 0 : 1, texts,
                                       p.testo_linea, p.testo_treno, co);
  print_diagnostics(err, c.problems, c.sources, in_colour(o.color, err));
  std::vector<written_file> written;
  if (c.sealed && write && !write_compiled_set(s, p, dir, &written, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }

  c.json["files"] = files_json(written);
  if (o.json) {
    out << c.json.dump(2, ' ', false,
                       nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
  } else {
    for (const written_file& f : written) {
      out << "wrote " << f.path << " (" << f.size << " bytes)\n";
    }
  }
  return c.status;
}

}  // namespace compattatore::tool
