#include "tool/files/guarded_file_system.h"

#include <filesystem>
#include <system_error>

namespace compattatore::tool {

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::equivalent(a, b, ec) && !ec) return true;
  const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec);
  if (ec) return a == b;
  const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec);
  if (ec) return a == b;
  return ca == cb;
}

bool guarded_file_system::protects(const std::string& path) const {
  for (const std::string& p : protected_) {
    if (same_file(path, p)) return true;
  }
  return false;
}

void guarded_file_system::check_write(const std::string& path,
                                      const char* operation) const {
  if (!writes_allowed_) {
    throw file_error(path, operation, "this command writes no files");
  }
  if (protects(path)) {
    throw file_error(path, operation, "it is one of the command's inputs");
  }
}

void guarded_file_system::replace(const std::string& path,
                                  std::string_view bytes) {
  check_write(path, "replace");
  base_.replace(path, bytes);
  written_.push_back({path, bytes.size()});
}

void guarded_file_system::replace_in_pieces(
    const std::string& path, std::size_t size,
    const std::function<void(const byte_sink&)>& produce) {
  check_write(path, "replace");
  base_.replace_in_pieces(path, size, produce);
  written_.push_back({path, size});
}

void guarded_file_system::replace_set(const std::vector<new_file>& files) {
  for (const new_file& f : files) check_write(f.path, "replace");
  base_.replace_set(files);
  for (const new_file& f : files) written_.push_back({f.path, f.size});
}

void guarded_file_system::remove(const std::string& path) {
  check_write(path, "delete");
  base_.remove(path);
}

}  // namespace compattatore::tool
