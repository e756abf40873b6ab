#include "Plattform.h"

#include <cerrno>
#include <random>

#include "Datei.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kwt::plattform {

namespace {

// A short name for the temporary file: a target whose own name is near the file system's limit of
// 255 bytes must still find room for it. The leading dot keeps it out of ordinary folder listings.
std::string TempName() {
  static thread_local std::mt19937_64 zufall{std::random_device{}()};
  static constexpr char zeichen[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".kwt-";
  for (int i = 0; i < 8; ++i) name += zeichen[zufall() % (sizeof zeichen - 1)];
  return name;
}

constexpr int TempVersuche = 100;

} // namespace

#ifndef _WIN32

namespace {

std::string Ordner(const std::string &pfad) {
  const std::size_t schraeg = pfad.find_last_of('/');
  if (schraeg == std::string::npos) return ".";
  return schraeg == 0 ? "/" : pfad.substr(0, schraeg);
}

// /dev/stdout, /dev/fd/3 and /proc/self/fd/1 stand for a channel that is already open (their links
// name pipes and sockets, not paths): what they lead to is written directly, never replaced.
bool Kanal(const std::string &pfad) { return pfad.rfind("/proc/", 0) == 0 || pfad.rfind("/dev/fd/", 0) == 0; }

// The descriptor N of "/dev/fd/N" or "/proc/self/fd/N", or -1. It is written as it stands, at its
// own position: `kwt-mc --csv /dev/stdout > werte.csv` goes where the shell's redirection points.
int EigenerDeskriptor(const std::string &pfad) {
  for (const std::string &vorn : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                  std::string("/proc/thread-self/fd/"),
                                  "/proc/" + std::to_string(::getpid()) + "/fd/"}) {
    if (pfad.rfind(vorn, 0) != 0) continue;
    const std::string nummer = pfad.substr(vorn.size());
    if (nummer.empty() || nummer.size() > 9 || nummer.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(nummer);
  }
  return -1;
}

int AllesSchreiben(int fd, const char *daten, std::size_t laenge) {
  while (laenge > 0) {
    const ssize_t n = ::write(fd, daten, laenge);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // An output someone set non-blocking: wait until it takes bytes again.
        pollfd warten{fd, POLLOUT, 0};
        if (::poll(&warten, 1, -1) < 0 && errno != EINTR) return errno;
        continue;
      }
      return errno;
    }
    daten += n;
    laenge -= static_cast<std::size_t>(n);
  }
  return 0;
}

// File systems that cannot sync a file say so with EINVAL; the bytes are written all the same.
int Synchronisieren(int fd) {
  if (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP) return 0;
  return errno;
}

} // namespace

int ZielErmitteln(const std::string &pfad, Ziel &ziel) {
  std::string p = pfad;
  for (int schritt = 0;; ++schritt) {
    struct stat st {};
    if (Kanal(p) && ::stat(p.c_str(), &st) == 0) {
      ziel = {S_ISDIR(st.st_mode) ? Art::Ordner : Art::Anderes, p, EigenerDeskriptor(p)};
      return 0;
    }
    if (::lstat(p.c_str(), &st) != 0) {
      if (errno != ENOENT) return errno;
      ziel = {Art::Fehlt, p};
      return 0;
    }
    if (!S_ISLNK(st.st_mode)) {
      ziel = {S_ISREG(st.st_mode) ? Art::Gewoehnlich : S_ISDIR(st.st_mode) ? Art::Ordner : Art::Anderes, p};
      return 0;
    }
    if (schritt == 40) return ELOOP;
    std::string verweis(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(p.c_str(), verweis.data(), verweis.size());
    if (n < 0) return errno;
    verweis.resize(static_cast<std::size_t>(n));
    p = verweis.front() == '/' ? verweis : Ordner(p) + "/" + verweis;
  }
}

int Ersetzen(const Ziel &ziel, std::string_view inhalt) {
  const bool vorhanden = ziel.art == Art::Gewoehnlich;
  struct stat alt {};
  if (vorhanden) {
    if (::stat(ziel.pfad.c_str(), &alt) != 0) return errno;
    // The folder would allow the rename; a file its owner made read-only still stays as it is.
    if (::faccessat(AT_FDCWD, ziel.pfad.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  }
  const std::string ordner = Ordner(ziel.pfad);
  std::string temp;
  int fd = -1;
  for (int versuch = 0; versuch < TempVersuche && fd < 0; ++versuch) {
    temp = ordner + "/" + TempName();
    // A new file gets 0666 less the umask, as any new file; a replaced one gets its old mode below.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, vorhanden ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  int fehler = 0;
  if (vorhanden) {
    // Only root may give a file to another owner; everybody else writes files that are theirs anyway.
    if (::fchown(fd, alt.st_uid, alt.st_gid) != 0) {
    }
    if (::fchmod(fd, alt.st_mode & 07777) != 0) fehler = errno;
  }
  if (!fehler) fehler = AllesSchreiben(fd, inhalt.data(), inhalt.size());
  if (!fehler) fehler = Synchronisieren(fd);
  if (::close(fd) != 0 && !fehler) fehler = errno;
  if (!fehler && ::rename(temp.c_str(), ziel.pfad.c_str()) != 0) fehler = errno;
  if (fehler) {
    ::unlink(temp.c_str());
    return fehler;
  }
  // The rename reaches the disk with the folder's own entry.
  const int ordnerFd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (ordnerFd >= 0) {
    Synchronisieren(ordnerFd);
    ::close(ordnerFd);
  }
  return 0;
}

int DirektSchreiben(const Ziel &ziel, std::string_view inhalt) {
  if (ziel.deskriptor >= 0) return AllesSchreiben(ziel.deskriptor, inhalt.data(), inhalt.size());
  int fd;
  do {
    fd = ::open(ziel.pfad.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  int fehler = AllesSchreiben(fd, inhalt.data(), inhalt.size());
  struct stat st {};
  if (!fehler && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) fehler = Synchronisieren(fd);
  if (::close(fd) != 0 && !fehler) fehler = errno;
  return fehler;
}

int Lesen(const std::string &pfad, std::size_t hoechstens, std::string &inhalt) {
  struct stat st {};
  if (::stat(pfad.c_str(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode)) return FehlerKeineGewoehnlicheDatei;
  if (static_cast<std::uintmax_t>(st.st_size) > hoechstens) return FehlerZuGross;
  // Non-blocking: should a FIFO have taken the file's place since the look, opening does not wait.
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno;
  int fehler = 0;
  if (::fstat(fd, &st) != 0) fehler = errno;
  else if (!S_ISREG(st.st_mode)) fehler = FehlerKeineGewoehnlicheDatei;
  inhalt.clear();
  char puffer[65536];
  while (!fehler) {
    const ssize_t n = ::read(fd, puffer, sizeof puffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fehler = errno;
    if (n <= 0) break;
    inhalt.append(puffer, static_cast<std::size_t>(n));
    if (inhalt.size() > hoechstens) fehler = FehlerZuGross;
  }
  ::close(fd);
  return fehler;
}

int StandardausgabeSchreiben(const char *daten, std::size_t laenge) {
  return AllesSchreiben(STDOUT_FILENO, daten, laenge);
}

void AusgabeVorbereiten() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

#else // Windows

namespace {

int AusWindows(DWORD fehler) {
  switch (fehler) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE: return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_LOCK_VIOLATION: return EACCES;
  case ERROR_SHARING_VIOLATION: return EBUSY;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL: return ENOSPC;
  case ERROR_FILENAME_EXCED_RANGE:
  case ERROR_BUFFER_OVERFLOW: return ENAMETOOLONG;
  case ERROR_WRITE_PROTECT: return EROFS;
  case ERROR_DIRECTORY: return ENOTDIR;
  case ERROR_INVALID_NAME:
  case ERROR_BAD_PATHNAME: return EINVAL;
  case ERROR_BROKEN_PIPE:
  case ERROR_NO_DATA: return EPIPE;
  case ERROR_INVALID_HANDLE: return EBADF;
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY: return ENOMEM;
  case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS: return EEXIST;
  default: return EIO;
  }
}

int LetzterFehler() { return AusWindows(::GetLastError()); }

// Paths are UTF-8 inside the program; Windows takes them as UTF-16.
bool Breit(const std::string &text, std::wstring &breit) {
  if (text.empty()) return breit.clear(), true;
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
  if (n <= 0) return false;
  breit.assign(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), breit.data(), n);
  return true;
}

std::string Schmal(const std::wstring &breit) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, breit.data(), static_cast<int>(breit.size()), nullptr, 0, nullptr,
                                      nullptr);
  std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, breit.data(), static_cast<int>(breit.size()), text.data(), n, nullptr, nullptr);
  return text;
}

std::wstring Ordner(const std::wstring &pfad) {
  const std::size_t schraeg = pfad.find_last_of(L"\\/");
  if (schraeg == std::wstring::npos) return L".";
  return pfad.substr(0, schraeg + (schraeg == 0 || pfad[schraeg - 1] == L':' ? 1 : 0));
}

int AllesSchreiben(HANDLE h, const char *daten, std::size_t laenge) {
  while (laenge > 0) {
    const DWORD stueck = laenge > (1u << 30) ? (1u << 30) : static_cast<DWORD>(laenge);
    DWORD geschrieben = 0;
    if (!::WriteFile(h, daten, stueck, &geschrieben, nullptr)) return LetzterFehler();
    daten += geschrieben;
    laenge -= geschrieben;
  }
  return 0;
}

struct Griff {
  HANDLE h;
  ~Griff() {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
};

// Whether another program holds the file open: Windows renames nothing over such a file (a
// spreadsheet with the CSV open, an editor with the scenario). Where this process may delete the file,
// a refused rename has no other cause; where opening it for deletion meets a sharing violation, the
// holder shares no deletion.
bool Belegt(const std::wstring &pfad) {
  Griff g{::CreateFileW(pfad.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr)};
  return g.h != INVALID_HANDLE_VALUE || ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// The temporary file over the target in one step. A virus scanner or an indexer holds a fresh file
// for a moment, so a refused rename is tried again a few times (within a third of a second); a file
// still held then is reported as in use, not as a matter of rights.
int Umbenennen(const std::wstring &temp, const std::wstring &ziel) {
  DWORD fehler = 0;
  for (int versuch = 0; versuch < 5; ++versuch) {
    if (versuch > 0) ::Sleep(25u << (versuch - 1)); // 25, 50, 100, 200 ms
    if (::MoveFileExW(temp.c_str(), ziel.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    fehler = ::GetLastError();
    if (fehler != ERROR_ACCESS_DENIED && fehler != ERROR_SHARING_VIOLATION && fehler != ERROR_LOCK_VIOLATION) break;
  }
  if ((fehler == ERROR_ACCESS_DENIED || fehler == ERROR_LOCK_VIOLATION) && Belegt(ziel)) return EBUSY;
  return AusWindows(fehler);
}

} // namespace

int ZielErmitteln(const std::string &pfad, Ziel &ziel) {
  std::wstring w;
  if (!Breit(pfad, w)) return EINVAL;
  // No access asked for: this only looks at what is there, it reads and writes nothing.
  Griff g{::CreateFileW(w.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (g.h == INVALID_HANDLE_VALUE) {
    const DWORD fehler = ::GetLastError();
    if (fehler != ERROR_FILE_NOT_FOUND) return AusWindows(fehler);
    ziel = {Art::Fehlt, pfad};
    return 0;
  }
  if (::GetFileType(g.h) != FILE_TYPE_DISK) {
    ziel = {Art::Anderes, pfad}; // NUL, CON, a named pipe
    return 0;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(g.h, &info)) return LetzterFehler();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    ziel = {Art::Ordner, pfad};
    return 0;
  }
  // The file itself, links followed: the rename replaces it, not a link pointing to it.
  std::wstring endgueltig(32768, L'\0');
  const DWORD n = ::GetFinalPathNameByHandleW(g.h, endgueltig.data(), static_cast<DWORD>(endgueltig.size()),
                                              FILE_NAME_NORMALIZED);
  if (n == 0 || n >= endgueltig.size()) return LetzterFehler();
  endgueltig.resize(n);
  ziel = {Art::Gewoehnlich, Schmal(endgueltig)};
  return 0;
}

int Ersetzen(const Ziel &ziel, std::string_view inhalt) {
  std::wstring w;
  if (!Breit(ziel.pfad, w)) return EINVAL;
  DWORD attribute = FILE_ATTRIBUTE_NORMAL;
  if (ziel.art == Art::Gewoehnlich) {
    const DWORD alt = ::GetFileAttributesW(w.c_str());
    if (alt == INVALID_FILE_ATTRIBUTES) return LetzterFehler();
    if (alt & FILE_ATTRIBUTE_READONLY) return EACCES;
    attribute = alt & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (!attribute) attribute = FILE_ATTRIBUTE_NORMAL;
  }
  const std::wstring ordner = Ordner(w);
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int versuch = 0; versuch < TempVersuche && h == INVALID_HANDLE_VALUE; ++versuch) {
    std::wstring name;
    Breit(TempName(), name);
    temp = ordner + (ordner.back() == L'\\' || ordner.back() == L'/' ? L"" : L"\\") + name;
    h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attribute, nullptr);
    if (h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return LetzterFehler();
  }
  if (h == INVALID_HANDLE_VALUE) return EEXIST;
  int fehler = AllesSchreiben(h, inhalt.data(), inhalt.size());
  if (!fehler && !::FlushFileBuffers(h)) fehler = LetzterFehler();
  if (!::CloseHandle(h) && !fehler) fehler = LetzterFehler();
  // Windows cannot rename over a file with plain rename; MoveFileExW replaces it in one step.
  if (!fehler) fehler = Umbenennen(temp, w);
  if (fehler) ::DeleteFileW(temp.c_str());
  return fehler;
}

int DirektSchreiben(const Ziel &ziel, std::string_view inhalt) {
  std::wstring w;
  if (!Breit(ziel.pfad, w)) return EINVAL;
  Griff g{::CreateFileW(w.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                        nullptr)};
  if (g.h == INVALID_HANDLE_VALUE) return LetzterFehler();
  return AllesSchreiben(g.h, inhalt.data(), inhalt.size());
}

int Lesen(const std::string &pfad, std::size_t hoechstens, std::string &inhalt) {
  std::wstring w;
  if (!Breit(pfad, w)) return EINVAL;
  const DWORD attribute = ::GetFileAttributesW(w.c_str());
  if (attribute != INVALID_FILE_ATTRIBUTES && (attribute & FILE_ATTRIBUTE_DIRECTORY)) return EISDIR;
  Griff g{::CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                        nullptr)};
  if (g.h == INVALID_HANDLE_VALUE) return LetzterFehler();
  if (::GetFileType(g.h) != FILE_TYPE_DISK) return FehlerKeineGewoehnlicheDatei;
  LARGE_INTEGER groesse{};
  if (!::GetFileSizeEx(g.h, &groesse)) return LetzterFehler();
  if (static_cast<unsigned long long>(groesse.QuadPart) > hoechstens) return FehlerZuGross;
  inhalt.clear();
  char puffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(g.h, puffer, sizeof puffer, &n, nullptr)) return LetzterFehler();
    if (n == 0) return 0;
    inhalt.append(puffer, n);
    if (inhalt.size() > hoechstens) return FehlerZuGross;
  }
}

int StandardausgabeSchreiben(const char *daten, std::size_t laenge) {
  // Straight to the handle: the bytes go out as on Linux, without the C runtime's LF to CR LF.
  const HANDLE h = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return EBADF;
  return AllesSchreiben(h, daten, laenge);
}

void AusgabeVorbereiten() {}

#endif

} // namespace kwt::plattform
