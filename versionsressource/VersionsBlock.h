// Reading the version block, as Windows' version functions read it: the block that
// GetFileVersionInfoA fills (the resource and room for the texts handed out) and the queries of
// VerQueryValueA on it ("\\" the fixed part, "\\StringFileInfo\\040704E4\\ProductName" a text,
// "\\VarFileInfo\\Translation" the language and code page pairs). Keys compare without regard to
// the case of A to Z.
//
// The block's bytes are treated as hostile like a file's: a broken resource gives fewer answers or
// none, and every answer lies inside the block. No Qt here, so that the fuzzer can build it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kwt::ver {

using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;

// VS_FIXEDFILEINFO, the fixed part at the root of every version resource.
struct FesteDateiInfo {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(FesteDateiInfo) == 52);
inline constexpr DWORD SignaturFesterTeil = 0xFEEF04BD;

// The block that GetFileVersionInfoA fills: the resource (its root length cut to the bytes present),
// then room where VerQueryValueA puts the 8-bit copies of the texts it hands out, as Windows does.
// BlockGroesse is 0 when the resource is too short to have a root. BlockFuellen fails when groesse is
// smaller than BlockGroesse.
DWORD BlockGroesse(std::span<const std::uint8_t> ressource);
bool BlockFuellen(std::span<const std::uint8_t> ressource, void *block, DWORD groesse);

// The Windows function of the same name. Texts are UTF-8, the 8-bit character set of the systems this
// runs on. It accepts only blocks filled by GetFileVersionInfoA or BlockFuellen (and writes its text
// copies into them, as the Windows function does); for a text the length counts the bytes including
// the terminating zero.
BOOL VerQueryValueA(const void *block, const char *unterBlock, void **puffer, UINT *laenge);

} // namespace kwt::ver
