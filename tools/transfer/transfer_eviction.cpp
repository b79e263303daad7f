#include "tools/transfer/transfer_eviction.h"

namespace tallix::transfer {

std::int64_t EvictionBufferSize(std::int64_t fileLength, std::int32_t cacheUnit) {
  const std::int64_t unit = cacheUnit;
  if (fileLength >= 128 * unit) return 128 * unit;
  const std::int64_t units = fileLength <= 0 ? 1 : (fileLength + unit - 1) / unit;
  return units * unit;
}

std::int64_t SmallerEvictionBuffer(std::int64_t size, std::int32_t cacheUnit) {
  const std::int64_t half = size / 2;
  return half <= cacheUnit / 2 ? 0 : half;
}

}  // namespace tallix::transfer
