#!/usr/bin/env bash
# Builds the Debian package in build/package: a hardened release build for /usr without the
# tests, then `cpack` (stripped programs, dependencies computed by dpkg-shlibdeps), then lintian
# when it is installed. Prints the package's path last.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package

# dpkg-buildflags and dpkg-shlibdeps, and file, which CPack runs on every installed file.
scripts/install-deps.sh dpkg-dev file
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DTOVIK_TESTS=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build"
rm -f "$build"/tovik-suite_*.deb
(cd "$build" && cpack >/dev/null)
deb=$(ls "$build"/tovik-suite_*.deb)
if command -v lintian >/dev/null; then
    lintian --info "$deb" || true
fi
echo "$deb"
