#include "Befehlszeile.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <cstdio>
#endif

namespace kwt::cli {

#ifdef _WIN32
namespace {

std::string Utf8(const wchar_t *text) {
  const int laenge = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (laenge <= 1) return {};
  std::string ergebnis(static_cast<std::size_t>(laenge), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, ergebnis.data(), laenge, nullptr, nullptr);
  ergebnis.pop_back(); // the terminating zero
  return ergebnis;
}

} // namespace

Befehlszeile::Befehlszeile(int argc, char **argv) {
  int anzahl = 0;
  wchar_t **breit = CommandLineToArgvW(GetCommandLineW(), &anzahl);
  if (breit) {
    for (int i = 0; i < anzahl; ++i) texte_.push_back(Utf8(breit[i]));
    LocalFree(breit);
  } else {
    for (int i = 0; i < argc; ++i) texte_.emplace_back(argv[i]);
  }
  for (const std::string &t : texte_) zeiger_.push_back(t.c_str());

  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  DWORD modus = 0;
  if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &modus) || GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &modus)) {
    alteCodepage_ = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
  }
}

Befehlszeile::~Befehlszeile() {
  if (alteCodepage_ != 0) SetConsoleOutputCP(alteCodepage_);
}
#else
Befehlszeile::Befehlszeile(int argc, char **argv) {
  for (int i = 0; i < argc; ++i) texte_.emplace_back(argv[i]);
  for (const std::string &t : texte_) zeiger_.push_back(t.c_str());
}

Befehlszeile::~Befehlszeile() = default;
#endif

} // namespace kwt::cli
