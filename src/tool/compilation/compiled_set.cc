#include "tool/compilation/compiled_set.h"

#include "compact/driver.h"
#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "tool/files/output_dir.h"

namespace compattatore::tool {

std::vector<std::string> compiled_set_paths(const scenario_paths& p,
                                            const std::string& dir,
                                            bool with_track) {
  const file_names names{dir, p.nome_linea, p.numero_treno};
  std::vector<std::string> paths;
  if (with_track) paths.push_back(names.file_linea());
  paths.push_back(names.file_stazioni());
  paths.push_back(names.file_celle());
  return paths;
}

bool write_compiled_set(const scenario& s, const scenario_paths& p,
                        const std::string& dir,
                        std::vector<written_file>* written, std::string* err) {
  if (!make_dir(dir, err)) return false;
  real_file_system disk;
  guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
  fs.allow_writes();
  try {
    scrivi_file_compilati(s, fs, {dir, p.nome_linea, p.numero_treno});
  } catch (const file_error& e) {
    *written = fs.written();
    *err = e.what();
    return false;
  }
  *written = fs.written();
  return true;
}

nlohmann::ordered_json files_json(const std::vector<written_file>& files) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const written_file& f : files) {
    list.push_back({{"path", f.path}, {"size", f.size}});
  }
  return list;
}

}  // namespace compattatore::tool
