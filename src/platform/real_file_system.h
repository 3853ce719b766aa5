// The file system of the machine: POSIX calls, binary, and replacement by
// temporary files renamed over the old names, the old ones kept until the
// whole set is in place.
#ifndef PLATFORM_REAL_FILE_SYSTEM_H_
#define PLATFORM_REAL_FILE_SYSTEM_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace compattatore {

class real_file_system : public file_system {
 public:
  bool exists(const std::string& path) override;
  std::string read(const std::string& path, std::size_t max_bytes) override;
  void replace(const std::string& path, std::string_view bytes) override;
  void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>& produce) override;
  /// Writes each file to ".NAME.compattatore-tmp.XXXXXX" beside it, keeps
  /// each old one as ".NAME.compattatore-old" (a second name) and renames
  /// the new ones into place; on a failure puts the old ones back. First
  /// clears what a run killed while replacing these names left beside them.
  void replace_set(const std::vector<new_file>& files) override;
  void remove(const std::string& path) override;
};

/// Directory of the running executable, without a trailing separator.
/// Throws file_error when the system cannot tell.
std::string program_dir();

}  // namespace compattatore

#endif  // PLATFORM_REAL_FILE_SYSTEM_H_
