#include "tool/commands/report_command.h"

#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/files/guarded_file_system.h"
#include "tool/report/report_file.h"

namespace compattatore::tool {

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
