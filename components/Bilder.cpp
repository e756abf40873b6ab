#include "Bilder.h"

#include "JpegBild.h"

// The resources live in a static library; naming their initialiser here links them into every
// program that uses these functions.
static void RessourcenEinbinden() {
  static const bool eingebunden = [] {
    Q_INIT_RESOURCE(KWTBilder);
    return true;
  }();
  (void)eingebunden;
}

namespace kwt {

QImage SplashBild() {
  RessourcenEinbinden();
  return JpegLaden(QString::fromLatin1(SplashPfad));
}

QIcon ProgrammSymbol() {
  RessourcenEinbinden();
  QIcon symbol;
  symbol.addFile(QStringLiteral(":/bilder/symbol16.png"), QSize(16, 16));
  symbol.addFile(QStringLiteral(":/bilder/symbol32.png"), QSize(32, 32));
  return symbol;
}

} // namespace kwt
