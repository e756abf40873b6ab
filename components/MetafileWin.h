// Windows only: a chart picture as an enhanced metafile on the clipboard.
//
// Windows programs take vector pictures from the clipboard as enhanced metafiles, and Qt cannot put
// one there. The chart, drawn by Qt into 32-bit rows, goes into an enhanced metafile of the same
// size, which replaces everything on the clipboard. (On Linux the chart goes on the clipboard as SVG.)
#pragma once

namespace kwt {

// zeilen: breite x hoehe pixels, 32 bits each (blue, green, red, unused), top row first, zeilenlaenge
// bytes per row (a multiple of 4). fenster: the HWND that owns the clipboard while it is open.
// False when the metafile cannot be made or the clipboard cannot be opened or set.
bool MetafileInZwischenablage(void *fenster, const unsigned char *zeilen, int breite, int hoehe, int zeilenlaenge);

} // namespace kwt
