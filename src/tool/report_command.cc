#include "tool/report_command.h"

#include "platform/real_file_system.h"
#include "tool/diagnostics.h"
#include "tool/exit_status.h"
#include "tool/guarded_file_system.h"
#include "tool/report_drawings.h"

namespace compattatore::tool {

bool write_report(const scenario_paths& p, const scenario_check& c,
                  const std::string& path, const page_options& o,
                  std::size_t* size, std::string* err) {
  const std::vector<page_drawing> drawings =
      report_drawings(c.s, p.nome_linea + "_" + p.numero_treno);
  const std::string page = report_page(p, c, drawings, o);
  real_file_system disk;
  guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
  if (fs.protects(path)) {
    *err = "cannot write " + path + ": it is one of the texts being read";
    return false;
  }
  fs.allow_writes();
  try {
    fs.replace(path, page);
  } catch (const file_error& e) {
    *err = e.what();
    return false;
  }
  *size = page.size();
  return true;
}

int run_report(const compile_options& o, const std::string& page,
               std::ostream& out, std::ostream& err) {
  scenario_paths p;
  if (!scenario_paths_of(o, &p, err)) return exit_status::file_failure;
  {
    real_file_system disk;
    guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
    if (fs.protects(page)) {
      err << prefisso_tool << "cannot write " << page
          << ": it is one of the texts being read\n";
      return exit_status::file_failure;
    }
  }
  scenario_check c;
  std::string problem;
  if (!check_scenario(p, &c, &problem)) {
    err << prefisso_tool << problem << '\n';
    return exit_status::file_failure;
  }
  err << diagnostics_text(c.outcome);
  std::size_t size = 0;
  if (!write_report(p, c, page, {}, &size, &problem)) {
    err << prefisso_tool << problem << '\n';
    return exit_status::file_failure;
  }
  out << "wrote " << page << " (" << size << " bytes)\n";
  return c.outcome.status;
}

}  // namespace compattatore::tool
