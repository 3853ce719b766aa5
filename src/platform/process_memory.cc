#include "platform/process_memory.h"

// Any C library header names the library.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace compattatore {

void keep_freed_memory() {
#if defined(__GLIBC__)
  // Blocks up to the largest threshold the allocator takes come from its
  // heap, whose freed space is reused; the heap's top is given back only
  // beyond 256 MiB. A refusal only costs speed.
  (void)::mallopt(M_MMAP_THRESHOLD, 32 << 20);
  (void)::mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace compattatore
