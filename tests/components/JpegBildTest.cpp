#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <jpeglib.h>

#include "JpegBild.h"

using namespace kwt;

namespace {

// A 16 x 8 JPEG made with libjpeg itself: left half red, right half blue.
QByteArray KleinesJpeg() {
  jpeg_compress_struct info{};
  jpeg_error_mgr fehler{};
  info.err = jpeg_std_error(&fehler);
  jpeg_create_compress(&info);
  unsigned char *puffer = nullptr;
  unsigned long groesse = 0;
  jpeg_mem_dest(&info, &puffer, &groesse);
  info.image_width = 16;
  info.image_height = 8;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  unsigned char zeile[16 * 3];
  for (int x = 0; x < 16; ++x) {
    zeile[3 * x] = x < 8 ? 255 : 0;
    zeile[3 * x + 1] = 0;
    zeile[3 * x + 2] = x < 8 ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW z = zeile;
    jpeg_write_scanlines(&info, &z, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray daten(reinterpret_cast<const char *>(puffer), static_cast<qsizetype>(groesse));
  jpeg_destroy_compress(&info);
  free(puffer);
  return daten;
}

TEST(JpegBild, DekodiertGroesseUndFarben) {
  const QImage bild = JpegDekodieren(KleinesJpeg());
  ASSERT_FALSE(bild.isNull());
  EXPECT_EQ(bild.size(), QSize(16, 8));
  EXPECT_GT(QColor(bild.pixel(2, 4)).red(), 200);
  EXPECT_GT(QColor(bild.pixel(13, 4)).blue(), 200);
}

TEST(JpegBild, KaputteDatenGebenEinLeeresBild) {
  const QByteArray gut = KleinesJpeg();
  const QByteArray faelle[] = {QByteArray(), QByteArray("kein Bild"), gut.left(20), gut.left(gut.size() / 2),
                               QByteArray(1000, '\xff')};
  for (const QByteArray &daten : faelle) {
    const QImage bild = JpegDekodieren(daten);
    // A truncated picture may decode partly (libjpeg fills the rest) or not at all; it never ends the program.
    if (!bild.isNull()) {
      EXPECT_EQ(bild.size(), QSize(16, 8));
    }
  }
  EXPECT_TRUE(JpegDekodieren(QByteArray("kein Bild")).isNull());
  EXPECT_TRUE(JpegLaden("/gibt/es/nicht.jpg").isNull());
}

} // namespace
