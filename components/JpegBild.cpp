#include "JpegBild.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace kwt {

namespace {

struct Fehlerbehandlung {
  jpeg_error_mgr basis;
  std::jmp_buf ruecksprung;
};

// libjpeg's default error_exit calls exit(); here a broken picture only ends the decoding.
void FehlerBeenden(j_common_ptr info) {
  auto *fehler = reinterpret_cast<Fehlerbehandlung *>(info->err);
  std::longjmp(fehler->ruecksprung, 1);
}

void MeldungVerwerfen(j_common_ptr) {}

} // namespace

QImage JpegDekodieren(const QByteArray &daten) {
  if (daten.isEmpty()) return {};
  jpeg_decompress_struct info{};
  Fehlerbehandlung fehler{};
  info.err = jpeg_std_error(&fehler.basis);
  fehler.basis.error_exit = FehlerBeenden;
  fehler.basis.output_message = MeldungVerwerfen;
  // Everything that must survive the longjmp lives outside this frame's registers.
  QImage *volatile bild = new QImage;
  if (setjmp(fehler.ruecksprung)) {
    jpeg_destroy_decompress(&info);
    delete bild;
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(daten.constData()),
               static_cast<unsigned long>(daten.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  *bild = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
  if (bild->isNull()) {
    jpeg_destroy_decompress(&info);
    delete bild;
    return {};
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW zeile = bild->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &zeile, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage ergebnis = std::move(*bild);
  delete bild;
  return ergebnis;
}

QImage JpegLaden(const QString &pfad) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return {};
  return JpegDekodieren(datei.readAll());
}

} // namespace kwt
