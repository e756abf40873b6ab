// The program's own pictures, compiled in from assets/KWTBilder.qrc: the splash picture (JPEG,
// 800 x 250, decoded with libjpeg) and the program icon (16 x 16 and 32 x 32).
#pragma once

#include <QIcon>
#include <QImage>

namespace kwt {

inline constexpr const char *SplashPfad = ":/bilder/splash.jpg";

QImage SplashBild();
QIcon ProgrammSymbol();

} // namespace kwt
