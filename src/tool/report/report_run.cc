#include "tool/report/report_run.h"

#include <utility>

#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/compilation/scenario_check.h"
#include "tool/report/report_file.h"

namespace compattatore::tool {

int run_report(const text_options& o, const std::string& page,
               std::ostream& out, std::ostream& err) {
  scenario_texts t;
  if (!prepare_texts(o, &t, err)) return exit_status::file_failure;
  const scenario_paths p = t.paths;
  if (const auto refused = output_among_texts(p, {page})) {
    err << message_prefix << *refused << '\n';
    return exit_status::file_failure;
  }
  scenario_check c;
  check_scenario(std::move(t), &c);
  err << diagnostics_text(c.outcome);
  std::size_t size = 0;
  std::string problem;
  if (!write_report(p, c, page, {}, &size, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }
  out << "wrote " << page << " (" << size << " bytes)\n";
  return c.outcome.status;
}

}  // namespace compattatore::tool
