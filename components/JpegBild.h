// JPEG pictures of the program (splash, about box logo), decoded with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kwt {

// Decodes a JPEG held in memory into an RGB image. Garbage or a truncated file gives a null image;
// libjpeg's messages are swallowed and its fatal errors never end the program.
QImage JpegDekodieren(const QByteArray &daten);

// Reads a file (also a Qt resource path such as ":/bilder/splash.jpg") and decodes it.
QImage JpegLaden(const QString &pfad);

} // namespace kwt
