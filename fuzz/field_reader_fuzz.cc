// Arbitrary bytes through the field reader, alternating the ways a reader
// asks for fields: it must only ever return fields or throw read_failure.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "reader/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  compattatore::field_reader r(text);
  unsigned step = 0;
  // Every read consumes at least one byte or throws, so this ends.
  while (!r.eof()) {
    try {
      switch (step++ % 4) {
        case 0: {
          const std::string_view f = r.read_text();
          (void)compattatore::contains_ci(f, "[generale]");
          break;
        }
        case 1:
          (void)r.read_i32();
          break;
        case 2:
          (void)r.read_i16();
          break;
        default:
          (void)r.read_u8();
          break;
      }
    } catch (const compattatore::read_failure&) {
      // A reader stops at its first failure; skip a field to go on probing.
      if (r.eof()) break;
      (void)r.read_text();
    }
  }
  // Finding a position scans the text, so only the last field's is checked.
  const auto p = r.position_of(r.last_field());
  if (p.line < 1 || p.column < 1) __builtin_trap();
  return 0;
}
