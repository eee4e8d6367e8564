#pragma once
// Helpers of the mutation tests, which feed readers broken copies of valid files: the runtime's
// own random generator, so that runs repeat, and the C runtime heap in use, to see leaks.

#include <malloc.h>

#include <cstddef>
#include <cstdint>

// The runtime's generator: s := s * 134775813 + 1; Next(range) is in 0 .. range - 1.
class TRuntimeRandom {
public:
    explicit TRuntimeRandom(std::uint32_t seed) : s_(seed) {}
    std::uint32_t Next(std::uint32_t range) {
        s_ = s_ * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(s_) * range) >> 32);
    }

private:
    std::uint32_t s_;
};

// Blocks and bytes in use on the C runtime heap.
struct THeapUse {
    std::size_t blocks = 0, bytes = 0;
};

inline THeapUse HeapInUse() {
    _HEAPINFO entry{};
    THeapUse use;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) {
            ++use.blocks;
            use.bytes += entry._size;
        }
    return use;
}
