#pragma once
// The CRC-32 of zip and PNG (polynomial 0xEDB88320, reflected, inverted).
#include <cstdint>
#include <string_view>

namespace tallix {

std::uint32_t Crc32(std::string_view bytes);

}  // namespace tallix
