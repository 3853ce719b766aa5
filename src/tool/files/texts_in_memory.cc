#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {

const std::string* texts_in_memory::held(const std::string& path) const {
  for (const held_text& t : texts_) {
    if (path == t.path) return &t.bytes;
  }
  return nullptr;
}

bool texts_in_memory::exists(const std::string& path) {
  return held(path) != nullptr || base_.exists(path);
}

std::string texts_in_memory::read(const std::string& path,
                                  std::size_t max_bytes) {
  if (const std::string* t = held(path)) return *t;
  return base_.read(path, max_bytes);
}

std::string_view texts_in_memory::view(const std::string& path,
                                       std::size_t max_bytes,
                                       std::string& storage) {
  if (const std::string* t = held(path)) return *t;
  return base_.view(path, max_bytes, storage);
}

}  // namespace compattatore::tool
