// Memory for large rows that are filled once from start to end.
#ifndef PLATFORM_HUGE_PAGES_H_
#define PLATFORM_HUGE_PAGES_H_

#include <cstddef>
#include <memory>

namespace compattatore {

/// Asks the system to back [p, p + bytes) with huge pages where it can; a
/// hint only, which a system without them ignores.
void advise_huge_pages(void* p, std::size_t bytes);

/// An allocator whose blocks ask for huge pages. The points of a long
/// route's track line, as dump and plot decode them, take some 18 MB, and
/// first touching that page by page costs more than reading the file.
template <typename T>
struct huge_page_allocator {
  using value_type = T;
  huge_page_allocator() = default;
  template <typename U>
  huge_page_allocator(const huge_page_allocator<U>&) {}
  T* allocate(std::size_t n) {
    T* p = std::allocator<T>{}.allocate(n);
    advise_huge_pages(p, n * sizeof(T));
    return p;
  }
  void deallocate(T* p, std::size_t n) { std::allocator<T>{}.deallocate(p, n); }
  friend bool operator==(const huge_page_allocator&,
                         const huge_page_allocator&) {
    return true;
  }
};

}  // namespace compattatore

#endif  // PLATFORM_HUGE_PAGES_H_
