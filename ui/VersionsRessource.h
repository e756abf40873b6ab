// The version resource of a program file, read without Windows.
//
// On Windows the about box reads the program's version resource with the system's three version
// functions. Everywhere else this file gives it the same three functions: they find the compiled
// resource (VS_VERSIONINFO) in a Windows program (PE32 or PE32+, in its resource section) or in one of
// the program's own ELF executables, into which the build puts the compiled resource script as a
// section ".rsrc" (cmake/Versionsressource.cmake), and they answer queries on it as Windows does.
//
// Everything read from a file is treated as hostile: every offset and length is checked against the
// bytes actually present, every walk moves forward, and a broken file gives "no version resource" or
// fewer strings, never a read outside the data. No Qt here, so that the fuzzer can build it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

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

// Random access to the bytes of a file or a buffer. Lesen fails, instead of reading, when the range
// is not wholly inside.
class Bytequelle {
public:
  virtual ~Bytequelle() = default;
  virtual std::uint64_t Groesse() const = 0;
  virtual bool Lesen(std::uint64_t position, void *ziel, std::size_t anzahl) const = 0;
};

class Speicherquelle final : public Bytequelle {
public:
  explicit Speicherquelle(std::span<const std::uint8_t> daten) : daten_(daten) {}
  std::uint64_t Groesse() const override { return daten_.size(); }
  bool Lesen(std::uint64_t position, void *ziel, std::size_t anzahl) const override;

private:
  std::span<const std::uint8_t> daten_;
};

// The raw version resource (resource type 16) of a PE program or of an ELF file with a section ".rsrc"
// holding a compiled resource file. Empty when there is none, the file is something else or broken.
// At most 65535 bytes, the most a version resource's root length can say.
std::vector<std::uint8_t> VersionsRessourceSuchen(const Bytequelle &datei);

// The three places separately (tests, fuzzer). VersionsRessourceAusRes walks a compiled resource file
// (.res) lying in datei from anfang for laenge bytes.
std::vector<std::uint8_t> VersionsRessourceAusPe(const Bytequelle &datei);
std::vector<std::uint8_t> VersionsRessourceAusElf(const Bytequelle &datei);
std::vector<std::uint8_t> VersionsRessourceAusRes(const Bytequelle &datei, std::uint64_t anfang,
                                                  std::uint64_t laenge);

// The block that GetFileVersionInfoA fills: the resource (its root length cut to the bytes present),
// then room where VerQueryValueA puts the 8-bit copies of the texts it hands out, as Windows does.
// BlockGroesse is 0 when the resource is too short to have a root. BlockFuellen fails when groesse is
// smaller than BlockGroesse.
DWORD BlockGroesse(std::span<const std::uint8_t> ressource);
bool BlockFuellen(std::span<const std::uint8_t> ressource, void *block, DWORD groesse);

// The Windows functions of the same names. File names and texts are UTF-8, the 8-bit character set of
// the systems this runs on. VerQueryValueA accepts only blocks filled by GetFileVersionInfoA or
// BlockFuellen (and writes its text copies into them, as the Windows function does); for a text the
// length counts the bytes including the terminating zero.
DWORD GetFileVersionInfoSizeA(const char *dateiname, DWORD *handle);
BOOL GetFileVersionInfoA(const char *dateiname, DWORD handle, DWORD laenge, void *block);
BOOL VerQueryValueA(const void *block, const char *unterBlock, void **puffer, UINT *laenge);

// Full path of the running program's executable file; empty where the system does not tell.
std::string EigenerProgrammpfad();

} // namespace kwt::ver
