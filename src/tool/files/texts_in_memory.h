// The two texts of a scenario, read once: every later reading of them is
// given those bytes, without a copy and without the file being read again
// (which might by then hold something else). Every other file goes to the
// file system underneath.
#ifndef TOOL_FILES_TEXTS_IN_MEMORY_H_
#define TOOL_FILES_TEXTS_IN_MEMORY_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace compattatore::tool {

class texts_in_memory : public file_system {
 public:
  /// The route text at `path_linea` holds `linea`, the train text at
  /// `path_treno` holds `treno`; all four must outlive this. A path is
  /// known by its spelling, as the readers are given it.
  texts_in_memory(file_system& base, const std::string& path_linea,
                  const std::string& linea, const std::string& path_treno,
                  const std::string& treno)
      : base_(base), texts_{{{path_linea, linea}, {path_treno, treno}}} {}

  bool exists(const std::string& path) override;
  std::string read(const std::string& path, std::size_t max_bytes) override;
  std::string_view view(const std::string& path, std::size_t max_bytes,
                        std::string& storage) override;
  void replace(const std::string& path, std::string_view bytes) override {
    base_.replace(path, bytes);
  }
  void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>& produce) override {
    base_.replace_in_pieces(path, size, produce);
  }
  void replace_set(const std::vector<new_file>& files) override {
    base_.replace_set(files);
  }
  void remove(const std::string& path) override { base_.remove(path); }

 private:
  struct held_text {
    const std::string& path;
    const std::string& bytes;
  };
  /// The bytes held for `path`, or null.
  const std::string* held(const std::string& path) const;

  file_system& base_;
  std::array<held_text, 2> texts_;
};

}  // namespace compattatore::tool

#endif  // TOOL_FILES_TEXTS_IN_MEMORY_H_
