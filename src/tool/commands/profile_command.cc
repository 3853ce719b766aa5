#include "tool/commands/profile_command.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tool/common/distance.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/text_names.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/drawing/plot.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {

int run_profile(const profile_options& o, std::ostream& out,
                std::ostream& err) {
  const std::optional<plot_format> format = format_from_name(o.out);
  if (!format) {
    err << prefisso_tool << "cannot tell the drawing's format from " << o.out
        << ": name it *.svg, *.png or *.pdf\n";
    return exit_status::file_failure;
  }
  const compile_options& t = o.testi;
  real_file_system disk;
  for (const std::string& path : {t.testo_linea, t.testo_treno}) {
    try {
      (void)disk.read(path, limite_testo);
    } catch (const file_error& e) {
      err << prefisso_tool << e.what() << '\n';
      return exit_status::file_failure;
    }
  }
  std::error_code same_ec;
  if (std::filesystem::equivalent(t.testo_linea, t.testo_treno, same_ec)) {
    err << prefisso_tool << "the route text " << t.testo_linea
        << " and the train text " << t.testo_treno
        << " are the same file: give two different texts\n";
    return exit_status::file_failure;
  }
  std::string numero_treno;
  const std::optional<std::string> nome_linea =
      names_or_fail(t, &numero_treno, err);
  if (!nome_linea) return exit_status::file_failure;
  guarded_file_system fs(disk, {t.testo_linea, t.testo_treno});
  if (fs.protects(o.out)) {
    err << prefisso_tool << "cannot write " << o.out
        << ": it is one of the texts being read\n";
    return exit_status::file_failure;
  }

  // No track line: the profiles need none, and the cell row and the
  // station table do not depend on it.
  scenario s;
  s.nome_linea = *nome_linea;
  s.numero_treno = numero_treno;
  const compaction_outcome c =
      compatta_testi(s, 0, fs, t.testo_linea, t.testo_treno);
  if (!c.diagnostics.empty()) {
    err << c.diagnostics << prefisso_tool
        << (c.sealed ? "drawn all the same, from what was read (the compiled "
                       "files would be written from it too)\n"
                     : "drawn all the same, from what was read (no compiled "
                       "file would be written)\n");
  }
  // The row as read, before the consistency pass, tells the speed points
  // the pass added.
  scenario letto;
  letto.nome_linea = s.nome_linea;
  letto.numero_treno = s.numero_treno;
  memorizza_dati(letto, fs, {t.testo_linea, t.testo_treno, false});

  const profilo dati = profilo_di(s.celle, s.stazioni);
  const std::int64_t route_end = dati.fine_profilo;
  const char* end_name = dati.fine_profilo > dati.lunghezza
                             ? "the end of the last station's area"
                             : "the route's end";
  tratto_chiesto tratto;
  std::string problem;
  if (!parse_stretch(o.from, o.to, route_end, &tratto, &problem, end_name)) {
    err << prefisso_tool << problem << '\n';
    return exit_status::file_failure;
  }

  profile_input in;
  in.celle = &s.celle;
  in.stazioni = &s.stazioni;
  in.prima_del_passo = &letto.celle;
  in.title = s.nome_linea + "_" + s.numero_treno;
  in.from = tratto.from;
  in.to = tratto.to;
  std::string drawing;
  if (!draw_profile(in, *format, o.width, o.height, &drawing, &problem)) {
    err << t.testo_treno << ": " << problem << '\n';
    return exit_status::file_failure;
  }
  return write_drawing(fs, o.out, drawing, out, err);
}

}  // namespace compattatore::tool
