#pragma once
// Memory for the bank's big blocks (the 64 MiB record block, the 640000 path strings). Loading a
// bank touches most of it at once; on systems with transparent huge pages, asking for them cuts
// the page-fault cost of that first touch several times.
#include <cstddef>
#include <new>

namespace ovb {

// Zero-filled; throws std::bad_alloc.
void* AllocateLargeBlock(std::size_t size);
void FreeLargeBlock(void* p, std::size_t size) noexcept;

template <typename T> struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }
    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
};

} // namespace ovb
