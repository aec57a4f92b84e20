#!/usr/bin/env bash
# Builds the Debian package of levelconf: a Release build with Debian's hardening flags,
# wrapped by CPack into build-package/levelconf_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build-package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# The prefix of the package itself, so that what is configured with full paths (the
# gateway's configuration under /etc, and its unit naming it) is where the package puts it.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEVELCONF_TESTS=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr \
      -DLEVELCONF_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB)
