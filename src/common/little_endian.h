// Unsigned numbers stored least significant byte first, as the table and index files keep
// their counts, offsets and lengths.
#pragma once

#include <cstdint>

namespace kavrina::le {

inline std::uint16_t readU16(const char* at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(at[0]) |
                                    (static_cast<unsigned char>(at[1]) << 8));
}

inline std::uint32_t readU32(const char* at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(at[0])) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(at[1])) << 8) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(at[2])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(at[3])) << 24);
}

inline void writeU16(char* at, std::uint16_t value) {
  at[0] = static_cast<char>(value & 0xFF);
  at[1] = static_cast<char>(value >> 8);
}

inline void writeU32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace kavrina::le
