#include "base/LargeBlock.h"

#include <cstdlib>

// Leak checkers do not look for pointers inside private mappings: under the address sanitizer
// the blocks come from the ordinary heap.
#if defined(__SANITIZE_ADDRESS__)
#define OVB_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OVB_SANITIZED 1
#endif
#endif

#if defined(__linux__) && !defined(OVB_SANITIZED)
#define OVB_MAP_LARGE_BLOCKS 1
#include <sys/mman.h>
#endif

namespace ovb {

void* AllocateLargeBlock(std::size_t size) {
#if defined(OVB_MAP_LARGE_BLOCKS)
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    madvise(p, size, MADV_HUGEPAGE); // a hint: without huge pages the block works the same
    return p;
#else
    void* p = std::calloc(1, size);
    if (!p) throw std::bad_alloc();
    return p;
#endif
}

void FreeLargeBlock(void* p, std::size_t size) noexcept {
    if (!p) return;
#if defined(OVB_MAP_LARGE_BLOCKS)
    munmap(p, size);
#else
    (void)size;
    std::free(p);
#endif
}

} // namespace ovb
