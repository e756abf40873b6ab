// Finding the version resource of a program file, without Windows: in a Windows program (PE32 or
// PE32+, in its resource section), in a compiled resource file (.res), or in one of the program's own
// ELF executables, into which the build puts the compiled resource script as a section ".rsrc"
// (cmake/Versionsressource.cmake).
//
// Everything read from a file is treated as hostile: every offset and length is checked against the
// bytes actually present, every walk moves forward, and a broken file gives "no version resource",
// never a read outside the data. No Qt here, so that the fuzzer can build it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kwt::ver {

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

// The version resource of the file of that name (UTF-8); only ordinary files are opened, as a pipe or
// a device would wait or read without end. Empty when there is none.
std::vector<std::uint8_t> VersionsRessourceDerDatei(const char *dateiname);

// Full path of the running program's executable file; empty where the system does not tell.
std::string EigenerProgrammpfad();

} // namespace kwt::ver
