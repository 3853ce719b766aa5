// What a decoder of a compiled file reports when the bytes are not what the
// file's layout says.
#ifndef COMPACT_DECODE_FAULT_H_
#define COMPACT_DECODE_FAULT_H_

#include <cstddef>
#include <optional>
#include <string>

namespace compattatore {

struct decode_fault {
  /// Offset of the record or element that does not fit (the file's length
  /// when the whole file is at fault).
  std::size_t byte = 0;
  /// For people, the place in words included.
  std::string message;
};

/// Empty when the bytes were decoded.
using decode_result = std::optional<decode_fault>;

}  // namespace compattatore

#endif  // COMPACT_DECODE_FAULT_H_
