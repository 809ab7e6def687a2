#include "common/process_memory.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace kavrina::memory {

#if defined(__GLIBC__)
namespace {

// The room set aside at the start: more than the lists of a million assets need. It is
// address space only until a page of it is touched.
constexpr std::size_t kListRoom = std::size_t{1} << 30;
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

// Marks the whole large pages inside the block as wanted in large pages; the kernel gives
// them where it is set to do so on request, and ignores the advice otherwise.
void adviseLargePages(void* block, std::size_t size) {
  const auto first = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t start = (first + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t end = (first + size) & ~(kLargePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

// The heap grows by the room for the lists; freed at once, the block stays as the heap's
// free top, from which the lists are then taken.
void setAsideListRoom() {
  // A run that asks the allocator to fill what it hands out would touch all of it.
  if (std::getenv("MALLOC_PERTURB_") != nullptr) return;
  if (void* room = std::malloc(kListRoom)) {
    adviseLargePages(room, kListRoom);
    std::free(room);
  }
}

bool tuned = false;  // whether the C library's allocator took the settings

}  // namespace

void prepareForLargeLists() {
  // The C library's allocator says yes to each setting; an allocator put in its place (a
  // sanitizer's) does not, and is then left as it is.
  if (mallopt(M_MMAP_MAX, 0) != 1) return;  // large blocks from the heap too, reused
  mallopt(M_TRIM_THRESHOLD, INT_MAX);       // freed memory is kept for the next list
  mallopt(M_TOP_PAD, 0);
  tuned = true;
  setAsideListRoom();
}

void releaseFreedMemory() {
  if (!tuned) return;
  malloc_trim(0);
  setAsideListRoom();  // address space again, for the next calculation
}

#else

void prepareForLargeLists() {}
void releaseFreedMemory() {}

#endif

}  // namespace kavrina::memory
