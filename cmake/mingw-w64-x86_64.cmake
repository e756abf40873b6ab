# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKWT_GUI=OFF -DKWT_PAKET=OFF
# Programs are linked statically: kwt-mc.exe needs no libstdc++, libgcc or winpthread DLL beside it.
# Tests and other programs run under Wine when one is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The header-only libraries (CLI11, nlohmann-json, Boost) and GoogleTest's sources come from the build
# machine, but the cross compiler must not see the rest of its /usr/include: the packages in
# cmake/windows/ offer only those folders.
foreach(paket CLI11 nlohmann_json Boost GTest)
  set(${paket}_DIR "${CMAKE_CURRENT_LIST_DIR}/windows" CACHE PATH "")
endforeach()

# Wine with its own prefix in the build folder (or $WINEPREFIX), without its debug chatter.
find_program(KWT_WINE NAMES wine wine64)
if(KWT_WINE)
  if(DEFINED ENV{WINEPREFIX})
    set(KWT_WINEPREFIX "$ENV{WINEPREFIX}")
  else()
    set(KWT_WINEPREFIX "${CMAKE_BINARY_DIR}/wine")
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${KWT_WINEPREFIX} WINEDEBUG=-all ${KWT_WINE})
endif()
