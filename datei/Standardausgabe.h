// The command line's standard output, written with every error checked.
//
// std::cout hides why a write failed, and a closed pipe ends the process by a signal before any
// message could say so. StandardausgabePuffer writes the standard output itself, keeps the system's
// reason of the first failed write, and lets the stream go bad from then on; the command asks for it
// when it ends (AusgabeFehlernummer) and reports it instead of a silent success.
#pragma once

#include <array>
#include <ostream>
#include <streambuf>

namespace kwt {

// A closed pipe (EPIPE) and a file size limit (EFBIG) are made errors of the write that meets them,
// not signals that end the process. Once at start-up, before anything is written.
void AusgabeVorbereiten();

class StandardausgabePuffer : public std::streambuf {
public:
  StandardausgabePuffer();
  ~StandardausgabePuffer() override;
  StandardausgabePuffer(const StandardausgabePuffer &) = delete;
  StandardausgabePuffer &operator=(const StandardausgabePuffer &) = delete;

  // 0 while every write succeeded, else the system's errno value of the first failure.
  int Fehlernummer() const { return fehler_; }

protected:
  int_type overflow(int_type zeichen) override;
  std::streamsize xsputn(const char *daten, std::streamsize anzahl) override;
  int sync() override;

private:
  bool Leeren();
  bool Schreiben(const char *daten, std::size_t anzahl);

  std::array<char, 1 << 16> puffer_{};
  int fehler_ = 0;
};

// Flushes aus and gives the reason its writes failed: the errno value kept by a StandardausgabePuffer,
// EIO for another stream gone bad, 0 when all is well.
int AusgabeFehlernummer(std::ostream &aus);

} // namespace kwt
