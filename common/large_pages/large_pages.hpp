// Large pages for big tables. A table of megabytes that a run fills once costs, in small pages,
// a page fault on first touch of every 4 kB; on a virtual machine those faults can take as long
// as the work done in the table. Memory taken here is aligned on a 2 MB boundary and advised
// for large pages before anything touches it.
#pragma once

#include <cstddef>
#include <new>

namespace large_pages {

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

// Whether the system must set aside backing memory for a whole mapping when it is made
// (reserve), or only for the pages touched (address_space_only: a region far larger than a run
// may use).
enum class Backing { reserve, address_space_only };

// `size` bytes (rounded up to whole large pages) of fresh mapped memory on a large-page
// boundary, advised for large pages and not yet touched; held until the run ends. Null when
// the system gives no such mapping.
void* map_huge_pages(std::size_t size, Backing backing);

// As map_huge_pages(), reserved; where the system has no such memory to give, ordinary memory
// from the free store.
void* huge_page_memory(std::size_t size);

// A `Table` built in memory of its own in large pages. For the tables whose construction
// writes (blank names), which would otherwise touch static storage in small pages before
// any advice could reach it.
template <typename Table>
Table& new_in_huge_pages() {
  return *new (huge_page_memory(sizeof(Table))) Table;
}

}  // namespace large_pages
