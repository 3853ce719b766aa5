// Arbitrary bytes as a compiled file of this kind.
#include "fuzz/dump_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  compattatore::fuzz::dump_stations(compattatore::fuzz::bytes_of(data, size));
  return 0;
}
