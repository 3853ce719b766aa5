// A file system that keeps the author's input safe: it refuses every write
// until writes are allowed, never touches the protected paths, and notes
// each file it replaced with its size.
#ifndef TOOL_FILES_GUARDED_FILE_SYSTEM_H_
#define TOOL_FILES_GUARDED_FILE_SYSTEM_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace compattatore::tool {

struct written_file {
  std::string path;
  std::size_t size = 0;
};

/// Whether `a` and `b` are two spellings of one file: the same inode when
/// both exist, else the same absolute path once "." and ".." are resolved.
bool same_file(const std::string& a, const std::string& b);

class guarded_file_system : public file_system {
 public:
  /// Forwards to `base`; `protected_paths` are never replaced or deleted,
  /// however they are spelled.
  guarded_file_system(file_system& base,
                      std::vector<std::string> protected_paths)
      : base_(base), protected_(std::move(protected_paths)) {}

  bool exists(const std::string& path) override { return base_.exists(path); }
  std::string read(const std::string& path, std::size_t max_bytes) override {
    return base_.read(path, max_bytes);
  }
  std::string_view view(const std::string& path, std::size_t max_bytes,
                        std::string& storage) override {
    return base_.view(path, max_bytes, storage);
  }
  /// Throws file_error while writes are not allowed, or for a protected
  /// path.
  void replace(const std::string& path, std::string_view bytes) override;
  /// Streams to `base` like the program's disk, so a large file needs no
  /// buffer of its whole size here either.
  void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>& produce) override;
  /// Refuses the whole set when one of its files may not be written.
  void replace_set(const std::vector<new_file>& files) override;
  void remove(const std::string& path) override;

  /// Whether `path` names one of the protected files.
  bool protects(const std::string& path) const;

  void allow_writes() { writes_allowed_ = true; }
  /// Files replaced so far, in order.
  const std::vector<written_file>& written() const { return written_; }

 private:
  void check_write(const std::string& path, const char* operation) const;

  file_system& base_;
  std::vector<std::string> protected_;
  bool writes_allowed_ = false;
  std::vector<written_file> written_;
};

}  // namespace compattatore::tool

#endif  // TOOL_FILES_GUARDED_FILE_SYSTEM_H_
