// The version resource of a program file, read without Windows.
//
// On Windows the about box reads the program's version resource with the system's three version
// functions. Everywhere else this library gives it the same three functions, in two halves: finding
// the compiled resource (VS_VERSIONINFO) in a file (RessourceFinden.h) and reading the version block
// (VersionsBlock.h). GetFileVersionInfoSizeA and GetFileVersionInfoA join them. No Qt here: the fuzzer
// links the library alone.
#pragma once

#include "RessourceFinden.h"
#include "VersionsBlock.h"

namespace kwt::ver {

// The Windows functions of the same names. File names are UTF-8.
DWORD GetFileVersionInfoSizeA(const char *dateiname, DWORD *handle);
BOOL GetFileVersionInfoA(const char *dateiname, DWORD handle, DWORD laenge, void *block);

} // namespace kwt::ver
