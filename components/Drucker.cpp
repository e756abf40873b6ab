#include "Drucker.h"

#include <QCoreApplication>
#include <QPrinter>

#include <algorithm>
#include <memory>

#include "Gleitkomma.h"

namespace kwt {

namespace {
std::unique_ptr<QPrinter> &DruckerSpeicher() {
  static std::unique_ptr<QPrinter> drucker;
  return drucker;
}
void DruckerFreigeben() { DruckerSpeicher().reset(); }
} // namespace

QPrinter &AktuellerDrucker() {
  auto &drucker = DruckerSpeicher();
  if (!drucker) {
    drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A printer outliving the application object would be torn down after Qt itself.
    qAddPostRoutine(DruckerFreigeben);
  }
  return *drucker;
}

bool DruckerBenutzbar(const QPrinter &drucker) {
  if (drucker.outputFormat() == QPrinter::PdfFormat) return !drucker.outputFileName().isEmpty();
  return drucker.isValid() && !drucker.printerName().isEmpty();
}

TDruckRaender DruckRaenderBerechnen(int w, int h, int pw, int ph, int rx, int ry) {
  const Extended W = std::max(w, 1), H = std::max(h, 1);
  const Extended PW = std::max(pw, 1), PH = std::max(ph, 1);
  const Extended RX = std::max(rx, 1), RY = std::max(ry, 1);
  TDruckRaender raender;
  if (W > H) {
    const Extended bildHoehe = 0.7L * PW * (H / W) * (RY / RX);
    const std::int64_t p = std::clamp<std::int64_t>(RundenInt64(100 * (PH - bildHoehe) / PH), 0, 100);
    raender.Links = raender.Rechts = 15;
    raender.Oben = raender.Unten = static_cast<int>(p / 2);
  } else {
    const Extended bildBreite = 0.7L * PH * (W / H) * (RX / RY);
    const std::int64_t p = std::clamp<std::int64_t>(RundenInt64(100 * (PW - bildBreite) / PW), 0, 100);
    raender.Oben = raender.Unten = 15;
    raender.Links = raender.Rechts = static_cast<int>(p / 2);
  }
  return raender;
}

QRect DruckRechteck(const TDruckRaender &raender, int pw, int ph) {
  auto anteil = [](int seite, int prozent) {
    return static_cast<int>(RundenInt64(static_cast<Extended>(seite) * prozent / 100));
  };
  const int links = anteil(pw, raender.Links), rechts = anteil(pw, raender.Rechts);
  const int oben = anteil(ph, raender.Oben), unten = anteil(ph, raender.Unten);
  return QRect(links, oben, std::max(pw - links - rechts, 0), std::max(ph - oben - unten, 0));
}

} // namespace kwt
