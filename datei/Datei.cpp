#include "Datei.h"

#include <cerrno>

#include "Plattform.h"
#include "W32_CLC.h"
#include "Zitat.h"

namespace kwt {

namespace {
constexpr const char *KeinName = "Es ist kein Dateiname angegeben.";
}

std::string FehlerGrund(int fehlernummer, Vorgang vorgang) {
  switch (fehlernummer) {
  case FehlerKeineGewoehnlicheDatei: return "Das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Socket.";
  case ENOENT: return vorgang == Vorgang::Lesen ? "Die Datei existiert nicht." : "Der Ordner existiert nicht.";
  case ENOTDIR: return "Ein Teil des Pfads ist kein Ordner.";
  case EACCES:
  case EPERM: return "Keine Berechtigung.";
  case ENOSPC: return "Der Datenträger ist voll.";
#ifdef EDQUOT
  case EDQUOT: return "Der zugeteilte Speicherplatz ist erschöpft.";
#endif
  case EFBIG: return "Die Datei würde größer, als das System erlaubt.";
  case ENAMETOOLONG: return "Der Name ist zu lang.";
  case EISDIR: return "Das ist ein Ordner.";
  case EROFS: return "Das Dateisystem ist schreibgeschützt.";
  case ELOOP: return "Zu viele symbolische Verknüpfungen hintereinander.";
  case EIO: return "Ein-/Ausgabefehler des Datenträgers.";
  case EBADF: return "Die Ausgabe ist geschlossen.";
  case EPIPE: return "Der Empfänger hat die Verbindung geschlossen.";
  case ENXIO:
  case ENODEV: return "Das Gerät ist nicht erreichbar.";
  case EBUSY:
  case ETXTBSY: return "Die Datei ist von einem anderen Programm belegt.";
  case EMFILE:
  case ENFILE: return "Zu viele offene Dateien.";
  case ENOMEM: return "Nicht genug Arbeitsspeicher.";
  case EINVAL: return "Der Name ist ungültig.";
  case EEXIST: return "Es ließ sich keine temporäre Datei anlegen.";
  default: return "Systemfehler " + std::to_string(fehlernummer) + ".";
  }
}

std::string DateiMeldung(const std::string &pfad, int fehlernummer, Vorgang vorgang) {
  return "Die Datei " + PfadZitat(pfad) + " kann nicht " +
         (vorgang == Vorgang::Lesen ? "gelesen" : "geschrieben") + " werden: " + FehlerGrund(fehlernummer, vorgang);
}

void DateiSicherSchreiben(const std::string &pfad, std::string_view inhalt) {
  const auto falsch = [&](int fehlernummer) {
    throw DateiFehler(DateiMeldung(pfad, fehlernummer, Vorgang::Schreiben), fehlernummer);
  };
  if (pfad.empty()) throw DateiFehler(KeinName, ENOENT);
  plattform::Ziel ziel;
  if (const int fehler = plattform::ZielErmitteln(pfad, ziel)) falsch(fehler);
  int fehler = 0;
  switch (ziel.art) {
  case plattform::Art::Ordner: fehler = EISDIR; break;
  case plattform::Art::Anderes: fehler = plattform::DirektSchreiben(ziel, inhalt); break;
  case plattform::Art::Fehlt:
  case plattform::Art::Gewoehnlich: fehler = plattform::Ersetzen(ziel, inhalt); break;
  }
  if (fehler) falsch(fehler);
}

std::string DateiLesen(const std::string &pfad, std::size_t hoechstens) {
  if (pfad.empty()) throw DateiFehler(KeinName, ENOENT);
  std::string inhalt;
  const int fehler = plattform::Lesen(pfad, hoechstens, inhalt);
  if (fehler == FehlerZuGross) {
    throw DateiFehler("Die Datei " + PfadZitat(pfad) + " ist zu groß: mehr als " +
                          ZahlFormatieren(0, true, true, static_cast<Extended>(hoechstens), false) + " Bytes.",
                      fehler);
  }
  if (fehler) throw DateiFehler(DateiMeldung(pfad, fehler, Vorgang::Lesen), fehler);
  return inhalt;
}

} // namespace kwt
