#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshots need, when they are missing.
# Further packages a script needs besides (the Windows build: MinGW-w64 and Wine) are its arguments.
set -euo pipefail
pakete=("$@"
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev
  libjpeg-dev libgtest-dev libgmock-dev googletest libbenchmark-dev libcli11-dev nlohmann-json3-dev libboost-dev
  binutils-mingw-w64-x86-64 clang llvm-14 lld-14 libclang-rt-14-dev
  xvfb xauth xclip imagemagick poppler-utils fonts-dejavu-core xdotool x11-utils
  qt6-translations-l10n shared-mime-info help2man locales
  dpkg-dev fakeroot file lintian appstream desktop-file-utils
)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if ((${#fehlend[@]})); then
  echo "Installiere: ${fehlend[*]}" >&2
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${fehlend[@]}" >/dev/null
fi
