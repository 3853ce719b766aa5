#include "platform/huge_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace compattatore {

void advise_huge_pages(void* p, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Only the whole huge pages inside the block: the advice needs an aligned
  // start, and the block's ends may share pages with other allocations.
  constexpr std::uintptr_t page = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t first = (start + page - 1) & ~(page - 1);
  const std::uintptr_t end = (start + bytes) & ~(page - 1);
  if (end <= first) return;
  // A refusal only costs speed.
  (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)p;
  (void)bytes;
#endif
}

}  // namespace compattatore
