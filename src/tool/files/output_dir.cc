#include "tool/files/output_dir.h"

#include <filesystem>
#include <system_error>

namespace compattatore::tool {

std::string normalise_dir(std::string dir) {
  if (dir.empty()) return ".";
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  return dir;
}

bool usable_dir(const std::string& dir, std::string* err) {
  const std::string shown = dir.empty() ? "/" : dir;
  std::error_code ec;
  const auto st = std::filesystem::status(shown, ec);
  if (st.type() == std::filesystem::file_type::not_found) return true;
  if (ec) {
    *err = "cannot use " + shown + " as output directory: " + ec.message();
    return false;
  }
  if (!std::filesystem::is_directory(st)) {
    *err = "cannot use " + shown + " as output directory: not a directory";
    return false;
  }
  return true;
}

bool make_dir(const std::string& dir, std::string* err) {
  const std::string shown = dir.empty() ? "/" : dir;
  std::error_code ec;
  std::filesystem::create_directories(shown, ec);
  if (ec) {
    *err = "cannot create directory " + shown + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace compattatore::tool
