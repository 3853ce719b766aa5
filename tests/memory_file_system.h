// In-memory file system for tests, with failures that can be switched on.
#ifndef TESTS_MEMORY_FILE_SYSTEM_H_
#define TESTS_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/fatal_report.h"
#include "platform/file_system.h"

namespace compattatore {

class memory_file_system : public file_system {
 public:
  bool exists(const std::string& path) override;
  std::string read(const std::string& path, std::size_t max_bytes) override;
  void replace(const std::string& path, std::string_view bytes) override;
  /// All or nothing: a failing path among them changes none.
  void replace_set(const std::vector<new_file>& set) override;
  void remove(const std::string& path) override;

  /// Files by full path.
  std::map<std::string, std::string> files;
  /// Paths whose replace, read or remove fails.
  std::set<std::string> failing;
  /// Every operation, as "op path", in order.
  std::vector<std::string> log;
};

/// Records the error numbers reported, and returns.
class recording_report : public fatal_report {
 public:
  void errore(const std::string& a) override { numbers.push_back(a); }
  std::vector<std::string> numbers;
};

}  // namespace compattatore

#endif  // TESTS_MEMORY_FILE_SYSTEM_H_
