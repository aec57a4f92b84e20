#!/usr/bin/env bash
# Installs the Debian packages levelconf is built, tested and packaged with, when any is
# missing.
# Safe to run again: it does nothing when everything is there.
#
#   scripts/install-deps.sh            what the Linux build, its tests and package need
#   scripts/install-deps.sh --windows  what the Windows cross-build and its Wine tests need
set -euo pipefail

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

if [ "${1:-}" = "--windows" ]; then
    # MinGW-w64 with POSIX threads, Wine and Xvfb to run what it makes, NSIS for the
    # installer, zip for the portable folder, and the source of Debian's Qt 6 base, which is
    # built for Windows once. Its source comes through a deb-src entry for the archive the
    # machine already uses.
    packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis zip
              unzip xvfb xauth imagemagick dpkg-dev cmake ninja-build qt6-base-dev-tools
              qt6-l10n-tools qt6-translations-l10n librsvg2-bin xdotool python3 bc)
    src_list=/etc/apt/sources.list.d/levelconf-deb-src.sources
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        suites=$(sed -n 's/^Suites: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
        uris=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
        [ -n "$suites" ] || suites="$(. /etc/os-release && echo "$VERSION_CODENAME")"
        [ -n "$uris" ] || uris=http://deb.debian.org/debian
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
            "$uris" "$suites" /usr/share/keyrings/debian-archive-keyring.gpg |
            $sudo tee "$src_list" >/dev/null
        $sudo apt-get update
    fi
else
    packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
              qt6-serialport-dev libasound2-dev xvfb xauth imagemagick
              help2man librsvg2-bin desktop-file-utils appstream dpkg-dev file)
    # Qt Linguist's lupdate and lrelease with their CMake package, and Qt's own translations
    # (the standard buttons and the file dialog) for the languages the window speaks.
    packages+=(qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)
    # The gateway's MQTT client library, and the broker its tests run.
    packages+=(libmosquitto-dev mosquitto)
    # clang and its libFuzzer runtime, for the fuzz targets of the parsers.
    packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
