#include "tool/files/starter_texts.h"

#include <filesystem>
#include <system_error>

#include "content/route_text.h"
#include "content/train_text.h"
#include "documents/documents.h"
#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/output_dir.h"

namespace compattatore::tool {

int write_starter_texts(const std::string& dir_option, bool force,
                        std::ostream& out, std::ostream& err) {
  const std::string dir = normalise_dir(dir_option);
  std::string problem;
  if (!usable_dir(dir, &problem) || !make_dir(dir, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }
  real_file_system disk;
  guarded_file_system fs(disk, {});
  fs.allow_writes();
  const file_names names{dir, std::string(nome_linea_compilato),
                         std::string(numero_treno_compilato)};
  if (!force) {
    bool any = false;
    for (const std::string& path :
         {names.testo_linea(), names.testo_treno(), names.note(),
          names.rallentamenti(), names.scheda()}) {
      std::error_code ec;
      if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        err << message_prefix << path << " already exists\n";
        any = true;
      }
    }
    if (any) {
      err << message_prefix
          << "nothing was written: give --force to replace existing files\n";
      return exit_status::file_failure;
    }
  }
  try {
    // The program's order.
    dati_linea(fs, names);
    dati_treno(fs, names);
    dati_note(fs, names);
    dati_rallentamenti(fs, names);
    dati_scheda(fs, names);
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
    return exit_status::file_failure;
  }
  for (const written_file& f : fs.written()) {
    out << "wrote " << f.path << " (" << f.size << " bytes)\n";
  }
  return exit_status::ok;
}

}  // namespace compattatore::tool
