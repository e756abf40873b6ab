// Little-endian fields of Windows file formats, assembled byte by byte: file data has no alignment
// to rely on. Shared by the two halves of the version resource reader; not for other users.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kwt::ver::detail {

constexpr std::uint64_t Ausrichten4(std::uint64_t x) { return (x + 3) & ~std::uint64_t{3}; }

inline std::uint16_t U16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t U32(const std::uint8_t *p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint64_t U64(const std::uint8_t *p) {
  return static_cast<std::uint64_t>(U32(p)) | static_cast<std::uint64_t>(U32(p + 4)) << 32;
}

// The resource type of version resources, and the most bytes one can have (its root's 16-bit length).
inline constexpr std::uint16_t RtVersion = 16;
inline constexpr std::size_t GroessteRessource = 0xFFFF;

} // namespace kwt::ver::detail
