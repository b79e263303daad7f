#pragma once
// The buffer that reads the test file past the system's cache on Windows: a
// whole number of cache units, at most 128 of them, halved while the system
// has no memory for it.

#include <cstdint>

namespace tallix::transfer {

// The file's length rounded up to a multiple of `cacheUnit` (at least one)
// when it is below 128 units, else 128 units.
std::int64_t EvictionBufferSize(std::int64_t fileLength, std::int32_t cacheUnit);

// The size to try after the system had no memory for `size`: its half, or 0
// once that half would be half a cache unit (no smaller buffer is worth it).
std::int64_t SmallerEvictionBuffer(std::int64_t size, std::int32_t cacheUnit);

}  // namespace tallix::transfer
