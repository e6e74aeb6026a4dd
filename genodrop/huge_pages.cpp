#include "genodrop/huge_pages.hpp"

#include <sys/mman.h>

#include <cstdint>

namespace genodrop {

void prefer_huge_pages(void* pages, std::size_t size) {
#ifdef MADV_HUGEPAGE
  // A refusal leaves the small pages, which serve as well, only slower.
  (void)::madvise(pages, size, MADV_HUGEPAGE);
#else
  (void)pages;
  (void)size;
#endif
}

void* huge_page_memory(std::size_t size) {
  const std::size_t whole = (size + huge_page - 1) / huge_page * huge_page;
  // One large page more than needed, so that a boundary lies within; the spare pages are
  // never touched and cost nothing.
  void* mapped = ::mmap(nullptr, whole + huge_page, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return ::operator new(size);
  const std::uintptr_t start =
      (reinterpret_cast<std::uintptr_t>(mapped) + huge_page - 1) / huge_page * huge_page;
  void* pages = reinterpret_cast<void*>(start);
  prefer_huge_pages(pages, whole);
  return pages;
}

}  // namespace genodrop
