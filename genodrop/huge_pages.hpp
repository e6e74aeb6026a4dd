// Large pages for the tables. The allele and deviate tables are megabytes that a run fills
// once, and the frequency table spreads one 4 kB page over every locus and population; in
// small pages every 4 kB of them costs a page fault on first touch, and a run of 3000
// individuals took as long over those faults as over its random numbers.
#pragma once

#include <cstddef>
#include <new>

namespace genodrop {

// The size of a large page on x86-64 and arm64.
constexpr std::size_t huge_page = std::size_t{2} << 20;

// A table that starts on a large-page boundary and fills whole large pages: a large page
// serves only a range that is advised as a whole.
template <typename Table>
struct alignas(huge_page) HugePaged {
  Table table;
};

// Asks the system to back the `size` bytes at `pages` (aligned to huge_page, a multiple of
// it) with large pages where it can, before anything touches them. Only a hint: on a system
// without large pages nothing changes, and nothing fails.
void prefer_huge_pages(void* pages, std::size_t size);

// `size` bytes of fresh memory on a large-page boundary, advised for large pages and not yet
// touched; held until the run ends. Where the system has no such memory to give, ordinary
// memory from the free store.
void* huge_page_memory(std::size_t size);

// A `Table` built in memory of its own in large pages. For the tables whose construction
// writes (blank names), which would otherwise touch static storage in small pages before
// any advice could reach it.
template <typename Table>
Table& new_in_huge_pages() {
  return *new (huge_page_memory(sizeof(Table))) Table;
}

}  // namespace genodrop
