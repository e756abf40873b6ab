// A fresh folder of a test's own under the system's temporary folder (/tmp, or Windows' %TEMP% in the
// cross build), named as the program takes paths: UTF-8.
#pragma once

#include <filesystem>
#include <random>
#include <string>

inline std::string Utf8Pfad(const std::filesystem::path &pfad) {
  const std::u8string u = pfad.u8string();
  return std::string(u.begin(), u.end());
}

inline std::string NeuerTestordner(const std::string &name) {
  static std::mt19937_64 zufall{std::random_device{}()};
  for (;;) {
    const std::string voll = name + "-" + std::to_string(zufall() % 1000000000);
    const std::filesystem::path ordner = std::filesystem::temp_directory_path() / std::u8string(voll.begin(), voll.end());
    if (std::filesystem::create_directory(ordner)) return Utf8Pfad(ordner);
  }
}
