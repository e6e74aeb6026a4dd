// Where famorder's large blocks come from.
//
// famorder holds the whole record table and several indexes over it at once, some 15 MB at
// 99,999 records, each written once and read a few times within a run of a few tens of
// milliseconds. Taken from the system 4 KB at a time, every page is a fault of its own, and on
// a virtual machine those faults cost more than the numbering: half of the run, measured.
// Large blocks are therefore carved from one region that the kernel may back with 2 MB pages.
// A freed large block is reused only when it is the last one carved (a scratch table freed
// before anything newer, as the input checks free theirs), which saves the faults of fresh
// pages; any other stays unused: the program ends soon after its tables are freed, and the
// blocks taken in one run are bounded by the record limit. Small blocks, and every block once
// the region is spent, come from malloc as usual.
//
// Only the famorder program links this file (not its library, tests or sanitizer builds,
// which keep the standard allocator and its checks).
#include <cstddef>
#include <cstdlib>
#include <new>

#include "common/large_pages/large_pages.hpp"

namespace {

constexpr std::size_t large = std::size_t{64} << 10;     // smaller blocks go to malloc
constexpr std::size_t region_bytes = std::size_t{256} << 20;   // address space only, until touched

struct Region {
  char* begin = nullptr;
  char* next = nullptr;
  char* end = nullptr;
  bool tried = false;
  // The starts of the blocks carved last, newest last.
  static constexpr std::size_t max_carved = 64;
  char* starts[max_carved] = {};
  std::size_t carved = 0;

  void* take(std::size_t bytes) {
#if defined(__linux__)
    if (!tried) {
      tried = true;
      // Advised for large pages: a hint, without which the region still works.
      if (void* p = large_pages::map_huge_pages(region_bytes, large_pages::Backing::address_space_only)) {
        begin = next = static_cast<char*>(p);
        end = begin + region_bytes;
      }
    }
#endif
    const std::size_t rounded = (bytes + 63) & ~std::size_t{63};
    if (begin == nullptr || rounded > static_cast<std::size_t>(end - next)) return nullptr;
    if (carved == max_carved) {
      // The oldest block can no longer be given back; it is seldom the one freed next.
      for (std::size_t k = 1; k < max_carved; ++k) starts[k - 1] = starts[k];
      --carved;
    }
    starts[carved++] = next;
    void* p = next;
    next += rounded;
    return p;
  }

  // Takes back the block at `p` when it is the last one carved. A block below it that was
  // freed earlier stays unused: its freeing is not recorded.
  void give_back(void* p) {
    if (carved > 0 && starts[carved - 1] == p) next = starts[--carved];
  }

  bool holds(const void* p) const {
    return begin != nullptr && p >= begin && p < end;
  }
};

Region region;

void* allocate(std::size_t bytes) {
  if (bytes >= large) {
    if (void* p = region.take(bytes)) return p;
  }
  if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
  throw std::bad_alloc();
}

void release(void* p) noexcept {
  if (region.holds(p)) {
    region.give_back(p);
  } else {
    std::free(p);
  }
}

}  // namespace

void* operator new(std::size_t bytes) { return allocate(bytes); }
void* operator new[](std::size_t bytes) { return allocate(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  try {
    return allocate(bytes);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t bytes, const std::nothrow_t& tag) noexcept {
  return operator new(bytes, tag);
}
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
