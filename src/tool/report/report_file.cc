#include "tool/report/report_file.h"

#include "platform/real_file_system.h"
#include "tool/files/guarded_file_system.h"
#include "tool/report/report_drawings.h"

namespace compattatore::tool {

bool write_report(const scenario_paths& p, const scenario_check& c,
                  const std::string& path, const page_options& o,
                  std::size_t* size, std::string* err) {
  const std::vector<page_drawing> drawings =
      report_drawings(c.s, p.nome_linea + "_" + p.numero_treno);
  const std::string page = report_page(p, c, drawings, o);
  if (const auto refused = output_among_texts(p, {path})) {
    *err = *refused;
    return false;
  }
  real_file_system disk;
  guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
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

}  // namespace compattatore::tool
