#include "VersionsRessource.h"

namespace kwt::ver {

DWORD GetFileVersionInfoSizeA(const char *dateiname, DWORD *handle) {
  if (handle) *handle = 0;
  return BlockGroesse(VersionsRessourceDerDatei(dateiname));
}

BOOL GetFileVersionInfoA(const char *dateiname, DWORD, DWORD laenge, void *block) {
  return BlockFuellen(VersionsRessourceDerDatei(dateiname), block, laenge);
}

} // namespace kwt::ver
