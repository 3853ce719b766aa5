#include "tool/drawing/profile_texts.h"

#include <optional>

#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tool/common/distance.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/compilation/compaction.h"
#include "tool/drawing/drawing_file.h"
#include "tool/drawing/profile_drawing.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {

int run_profile(const profile_options& o, std::ostream& out,
                std::ostream& err) {
  const std::optional<plot_format> format = drawing_format(o.out, err);
  if (!format) return exit_status::file_failure;
  scenario_texts t;
  if (!prepare_texts(o.texts, &t, err)) return exit_status::file_failure;
  const scenario_paths& p = t.paths;
  if (const auto refused = output_among_texts(p, {o.out})) {
    err << message_prefix << *refused << '\n';
    return exit_status::file_failure;
  }
  real_file_system disk;
  texts_in_memory texts(disk, p.testo_linea, t.linea, p.testo_treno, t.treno);

  // No track line: the profiles need none, and the cell row and the
  // station table do not depend on it.
  scenario s;
  s.nome_linea = p.nome_linea;
  s.numero_treno = p.numero_treno;
  check_options options;
  options.same_file = p.same_file;
  const compaction_outcome c =
      compact_texts(s, 0, texts, p.testo_linea, p.testo_treno, options);
  if (!c.diagnostics.empty()) {
    err << c.diagnostics << message_prefix
        << (c.sealed ? "drawn all the same, from what was read (the compiled "
                       "files would be written from it too)\n"
                     : "drawn all the same, from what was read (no compiled "
                       "file would be written)\n");
  }
  // The row as read, before the consistency pass, tells the speed points
  // the pass added.
  scenario as_read;
  as_read.nome_linea = s.nome_linea;
  as_read.numero_treno = s.numero_treno;
  memorizza_dati(as_read, texts, {p.testo_linea, p.testo_treno, false});

  const profile_data data = profile_of(s.celle, s.stazioni);
  const std::int64_t route_end = data.profile_end;
  const char* end_name = data.profile_end > data.lunghezza
                             ? "the end of the last station's area"
                             : "the route's end";
  requested_stretch stretch;
  std::string problem;
  if (!parse_stretch(o.from, o.to, route_end, &stretch, &problem, end_name)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }

  profile_input in;
  in.celle = &s.celle;
  in.stazioni = &s.stazioni;
  in.before_pass = &as_read.celle;
  in.title = s.nome_linea + "_" + s.numero_treno;
  in.from = stretch.from;
  in.to = stretch.to;
  std::string drawing;
  if (!draw_profile(in, *format, o.width, o.height, &drawing, &problem)) {
    err << p.testo_treno << ": " << problem << '\n';
    return exit_status::file_failure;
  }
  guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
  return write_drawing(fs, o.out, drawing, out, err);
}

}  // namespace compattatore::tool
