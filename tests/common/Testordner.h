// Files in tests: a fresh folder of a test's own under the system's temporary folder (/tmp, or
// Windows' %TEMP% in the cross build), and paths as the program takes them, UTF-8.
#pragma once

#include <filesystem>
#include <random>
#include <string>

// The path of a file named by UTF-8 text: on Windows converted to UTF-16, so that umlauts work
// whatever the code page; elsewhere the bytes are the name.
inline std::filesystem::path DateiPfad(const std::string &utf8) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return std::filesystem::path(utf8);
#endif
}

inline std::string Utf8Pfad(const std::filesystem::path &pfad) {
  const std::u8string u = pfad.u8string();
  return std::string(u.begin(), u.end());
}

inline std::string NeuerTestordner(const std::string &name) {
  static std::mt19937_64 zufall{std::random_device{}()};
  for (;;) {
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / DateiPfad(name + "-" + std::to_string(zufall() % 1000000000));
    if (std::filesystem::create_directory(ordner)) return Utf8Pfad(ordner);
  }
}
