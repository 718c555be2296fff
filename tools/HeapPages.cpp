#include "HeapPages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace talvex {

namespace {

constexpr size_t kHeapReserve = size_t{64} << 20;
constexpr uintptr_t kLargePage = uintptr_t{2} << 20;

}  // namespace

// The heap grows by a large reserve at once (address space only, until it is used), keeps it
// after frees, and takes the tape's text and table into it too, so the whole of it can be
// advised once. Without the allocator's heap (another allocator, a sanitizer's) nothing is done.
void preferLargeHeapPages() {
    mallopt(M_TOP_PAD, static_cast<int>(kHeapReserve));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kHeapReserve * 2));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapReserve / 2));
    void* probe = std::malloc(kLargePage);
    const auto first = reinterpret_cast<uintptr_t>(probe);
    const auto top = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t start = (first + kLargePage - 1) & ~(kLargePage - 1);
    if (probe && start < top && top - start <= 2 * kHeapReserve)
        madvise(reinterpret_cast<void*>(start), top - start, MADV_HUGEPAGE);
    std::free(probe);
}

}  // namespace talvex
