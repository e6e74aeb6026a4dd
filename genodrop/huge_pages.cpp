#include "genodrop/huge_pages.hpp"

#include <sys/mman.h>

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

}  // namespace genodrop
