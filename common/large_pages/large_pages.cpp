#include "common/large_pages/large_pages.hpp"

#include <sys/mman.h>

#include <cstdint>

namespace large_pages {

void prefer_huge_pages(void* pages, std::size_t size) {
#ifdef MADV_HUGEPAGE
  // A refusal leaves the small pages, which serve as well, only slower.
  (void)::madvise(pages, size, MADV_HUGEPAGE);
#else
  (void)pages;
  (void)size;
#endif
}

void* map_huge_pages(std::size_t size, Backing backing) {
  const std::size_t whole = (size + huge_page - 1) / huge_page * huge_page;
  int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_NORESERVE
  if (backing == Backing::address_space_only) flags |= MAP_NORESERVE;
#else
  (void)backing;
#endif
  // One large page more than needed, so that a boundary lies within; the spare pages are
  // never touched and cost nothing.
  void* mapped = ::mmap(nullptr, whole + huge_page, PROT_READ | PROT_WRITE, flags, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const std::uintptr_t start =
      (reinterpret_cast<std::uintptr_t>(mapped) + huge_page - 1) / huge_page * huge_page;
  void* pages = reinterpret_cast<void*>(start);
  prefer_huge_pages(pages, whole);
  return pages;
}

void* huge_page_memory(std::size_t size) {
  if (void* pages = map_huge_pages(size, Backing::reserve)) return pages;
  return ::operator new(size);
}

}  // namespace large_pages
