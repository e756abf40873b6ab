#!/usr/bin/env bash
# Builds the Debian package dist/kwt-monte-carlo_<version>_<arch>.deb and checks it: the desktop entry
# (desktop-file-validate), the AppStream data with the desktop entry and the icons beside it
# (appstreamcli validate-tree), and the whole package (lintian: no errors; warnings are listed).
# The package is built in its own folder (build-paket/, or $KWT_PAKET_BUILD_DIR) with Debian's build
# flags (optimised as the tests run, hardened), without tests and benchmarks.
# scripts/package-check.sh installs it with apt and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir="${KWT_PAKET_BUILD_DIR:-build-paket}"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DKWT_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$dir" -j "$(nproc)"
rm -f dist/kwt-monte-carlo_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls dist/kwt-monte-carlo_*.deb)

inhalt=$(mktemp -d)
trap 'rm -rf "$inhalt"' EXIT
dpkg-deb -x "$deb" "$inhalt"
desktop-file-validate "$inhalt"/usr/share/applications/*.desktop
appstreamcli validate-tree --no-net "$inhalt" >/dev/null || appstreamcli validate-tree --no-net "$inhalt"
lintian --fail-on error "$deb"
echo "$deb"
