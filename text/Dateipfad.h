// File names: the program holds them as UTF-8 text (from the command line, the window or a test).
#pragma once

#include <filesystem>
#include <string>

namespace kwt {

// The path of a file named by UTF-8 text. On Windows the name becomes UTF-16, the system's own form,
// so that umlauts in folder and file names work whatever the code page; elsewhere the bytes are the
// name, whatever their encoding.
inline std::filesystem::path DateiPfad(const std::string &utf8) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return std::filesystem::path(utf8);
#endif
}

} // namespace kwt
