#include "Fehler.h"

#include <new>

namespace kwt {

std::string MeldungZumFehler(const std::exception_ptr &fehler) {
  if (!fehler) return MeldungUnerwartet;
  try {
    std::rethrow_exception(fehler);
  } catch (const Fehler &f) {
    return f.what();
  } catch (const std::bad_alloc &) {
    return MeldungKeinSpeicher;
  } catch (...) {
    return MeldungUnerwartet;
  }
}

} // namespace kwt
