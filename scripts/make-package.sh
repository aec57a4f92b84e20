#!/usr/bin/env bash
# Builds the Debian package of levelconf: a Release build with Debian's hardening flags,
# wrapped by CPack into build-package/levelconf_<version>_<architecture>.deb.
#
#   scripts/make-package.sh               this machine's architecture (amd64)
#   scripts/make-package.sh --arch arm64  cross-built for arm64 with Debian's arm64 Qt
set -euo pipefail
cd "$(dirname "$0")/.."

native=$(dpkg --print-architecture)
arch=$native
while [ $# -gt 0 ]; do
    case $1 in
        --arch) arch=${2:?"--arch needs an architecture"}; shift 2 ;;
        --arch=*) arch=${1#--arch=}; shift ;;
        -h|--help) sed -n '2,6s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "make-package.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

build=build-package
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
if [ "$arch" = "$native" ]; then
    scripts/install-deps.sh
    cross=()
    buildflags=(dpkg-buildflags)
elif [ "$arch" = arm64 ]; then
    scripts/install-deps.sh --arm64
    # A build folder of its own: a folder is configured for one compiler for good. The
    # package goes beside the native one.
    build=build-package-arm64
    cross=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-aarch64-linux-gnu.cmake")
    # The flags Debian builds its own arm64 packages with, and dpkg-shlibdeps (run by
    # CPack) looking for the libraries and their packages of arm64.
    hostarch=(env CC=aarch64-linux-gnu-gcc dpkg-architecture -aarm64 -f)
    buildflags=("${hostarch[@]}" -c dpkg-buildflags)
    eval "$("${hostarch[@]}" -s)"
else
    echo "make-package.sh: the package is built for $native or arm64, not $arch" >&2
    exit 2
fi

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$("${buildflags[@]}" --get CPPFLAGS) $("${buildflags[@]}" --get CXXFLAGS)"
ldflags=$("${buildflags[@]}" --get LDFLAGS)
# The prefix of the package itself, so that what is configured with full paths (the
# gateway's configuration under /etc, and its unit naming it) is where the package puts it.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEVELCONF_TESTS=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr "${cross[@]}" \
      -DLEVELCONF_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" --parallel "$jobs"
(cd "$build" && cpack -G DEB)
if [ "$build" != build-package ]; then
    mkdir -p build-package
    cp "$build"/levelconf_*_"$arch".deb build-package/
fi
