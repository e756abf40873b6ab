#include "MetafileWin.h"

#include <windows.h>

namespace kwt {

bool MetafileInZwischenablage(void *fenster, const unsigned char *zeilen, int breite, int hoehe, int zeilenlaenge) {
  if (breite < 1 || hoehe < 1 || zeilenlaenge != breite * 4) return false;
  HDC bildschirm = GetDC(nullptr);
  if (!bildschirm) return false;
  // The frame of an enhanced metafile is given in 0.01 mm; the screen's size in millimetres and
  // pixels converts the picture's pixel size.
  const int mmBreite = GetDeviceCaps(bildschirm, HORZSIZE), mmHoehe = GetDeviceCaps(bildschirm, VERTSIZE);
  const int pxBreite = GetDeviceCaps(bildschirm, HORZRES), pxHoehe = GetDeviceCaps(bildschirm, VERTRES);
  RECT rahmen{0, 0, MulDiv(breite, mmBreite * 100, pxBreite), MulDiv(hoehe, mmHoehe * 100, pxHoehe)};
  HDC metafile = CreateEnhMetaFileW(bildschirm, nullptr, &rahmen, L"KWT Monte-Carlo-Simulation\0Diagramm\0");
  ReleaseDC(nullptr, bildschirm);
  if (!metafile) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = breite;
  info.bmiHeader.biHeight = -hoehe; // negative: top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int gezeichnet = StretchDIBits(metafile, 0, 0, breite, hoehe, 0, 0, breite, hoehe, zeilen, &info,
                                       DIB_RGB_COLORS, SRCCOPY);
  HENHMETAFILE bild = CloseEnhMetaFile(metafile);
  if (!bild) return false;
  if (gezeichnet == 0 || GDI_ERROR == static_cast<UINT>(gezeichnet) || !OpenClipboard(static_cast<HWND>(fenster))) {
    DeleteEnhMetaFile(bild);
    return false;
  }
  EmptyClipboard();
  // On success the clipboard owns the metafile.
  const bool gesetzt = SetClipboardData(CF_ENHMETAFILE, bild) != nullptr;
  CloseClipboard();
  if (!gesetzt) DeleteEnhMetaFile(bild);
  return gesetzt;
}

} // namespace kwt
