#include "job/LargeBlock.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ovb {

void* AllocateLargeBlock(std::size_t size) {
#if defined(__linux__)
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
#if defined(__linux__)
    munmap(p, size);
#else
    (void)size;
    std::free(p);
#endif
}

} // namespace ovb
