#include "Standardausgabe.h"

#include <cerrno>

#include "Plattform.h"

namespace kwt {

void AusgabeVorbereiten() { plattform::AusgabeVorbereiten(); }

StandardausgabePuffer::StandardausgabePuffer() { setp(puffer_.data(), puffer_.data() + puffer_.size()); }

StandardausgabePuffer::~StandardausgabePuffer() { Leeren(); }

bool StandardausgabePuffer::Schreiben(const char *daten, std::size_t anzahl) {
  // After the first failure nothing more goes out: the rest would be a fragment without its start.
  if (fehler_) return false;
  fehler_ = plattform::StandardausgabeSchreiben(daten, anzahl);
  return fehler_ == 0;
}

bool StandardausgabePuffer::Leeren() {
  const std::size_t anzahl = static_cast<std::size_t>(pptr() - pbase());
  setp(puffer_.data(), puffer_.data() + puffer_.size());
  return anzahl == 0 ? fehler_ == 0 : Schreiben(puffer_.data(), anzahl);
}

StandardausgabePuffer::int_type StandardausgabePuffer::overflow(int_type zeichen) {
  if (!Leeren()) return traits_type::eof();
  if (traits_type::eq_int_type(zeichen, traits_type::eof())) return traits_type::not_eof(zeichen);
  *pptr() = traits_type::to_char_type(zeichen);
  pbump(1);
  return zeichen;
}

std::streamsize StandardausgabePuffer::xsputn(const char *daten, std::streamsize anzahl) {
  if (fehler_) return 0;
  const std::size_t n = static_cast<std::size_t>(anzahl);
  if (n <= static_cast<std::size_t>(epptr() - pptr())) {
    traits_type::copy(pptr(), daten, n);
    pbump(static_cast<int>(n));
    return anzahl;
  }
  // Larger than the room left: what is buffered first, then the block itself without copying.
  if (!Leeren() || !Schreiben(daten, n)) return 0;
  return anzahl;
}

int StandardausgabePuffer::sync() { return Leeren() ? 0 : -1; }

int AusgabeFehlernummer(std::ostream &aus) {
  aus.flush();
  if (const auto *puffer = dynamic_cast<const StandardausgabePuffer *>(aus.rdbuf())) {
    if (puffer->Fehlernummer()) return puffer->Fehlernummer();
  }
  return aus.good() ? 0 : EIO;
}

} // namespace kwt
