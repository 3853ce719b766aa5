#include "model/tracciato.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace compattatore {

void consiglia_pagine_grandi(void* p, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Only the whole huge pages inside the block: the advice needs an aligned
  // start, and the block's ends may share pages with other allocations.
  constexpr std::uintptr_t pagina = std::uintptr_t{2} << 20;
  const auto inizio = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t primo = (inizio + pagina - 1) & ~(pagina - 1);
  const std::uintptr_t fine = (inizio + bytes) & ~(pagina - 1);
  if (fine <= primo) return;
  // A refusal only costs speed.
  (void)::madvise(reinterpret_cast<void*>(primo), fine - primo, MADV_HUGEPAGE);
#else
  (void)p;
  (void)bytes;
#endif
}

}  // namespace compattatore
