#include "tests/memory_file_system.h"

namespace compattatore {

bool memory_file_system::exists(const std::string& path) {
  log.push_back("exists " + path);
  return files.count(path) != 0;
}

std::string memory_file_system::read(const std::string& path,
                                     std::size_t max_bytes) {
  log.push_back("read " + path);
  if (failing.count(path) != 0) throw file_error(path, "read", "injected");
  auto it = files.find(path);
  if (it == files.end()) {
    throw file_error(path, "open", "No such file or directory");
  }
  if (it->second.size() > max_bytes) {
    throw file_error(path, "read", "too large");
  }
  return it->second;
}

void memory_file_system::replace(const std::string& path,
                                 std::string_view bytes) {
  log.push_back("replace " + path);
  if (failing.count(path) != 0) throw file_error(path, "write", "injected");
  files[path] = std::string(bytes);
}

void memory_file_system::replace_set(const std::vector<new_file>& set) {
  std::vector<std::string> all;
  for (const new_file& f : set) {
    log.push_back("replace " + f.path);
    if (failing.count(f.path) != 0) {
      throw file_error(f.path, "write", "injected");
    }
    all.push_back(gather(f.size, f.produce));
  }
  for (std::size_t i = 0; i < set.size(); ++i) {
    files[set[i].path] = std::move(all[i]);
  }
}

void memory_file_system::remove(const std::string& path) {
  log.push_back("remove " + path);
  if (failing.count(path) != 0) throw file_error(path, "delete", "injected");
  files.erase(path);
}

}  // namespace compattatore
