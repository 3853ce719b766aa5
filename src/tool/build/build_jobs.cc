#include "tool/build/build_jobs.h"

#include <utility>

#include "reader/memorizza_dati.h"

namespace compattatore::tool {

folder_text read_folder_text(file_system& disk, std::string path) {
  folder_text t;
  t.path = std::move(path);
  try {
    t.bytes = disk.read(t.path, limite_testo);
    t.hash = fingerprint(t.bytes);
  } catch (const file_error& e) {
    t.failure = e.what();
  }
  return t;
}

}  // namespace compattatore::tool
