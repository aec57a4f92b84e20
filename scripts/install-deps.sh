#!/usr/bin/env bash
# Installs the Debian packages levelconf is built, tested and packaged with, when any is
# missing.
# Safe to run again: it does nothing when everything is there.
#
#   scripts/install-deps.sh --arm64   also what the arm64 package is cross-built and tested
#                                     with (scripts/make-package.sh --arch arm64)
#   scripts/install-deps.sh --windows also what the Windows programs are cross-built and
#                                     tested with (scripts/make-windows.sh, test-windows.sh)
set -euo pipefail

arm64=false
windows=false
for arg in "$@"; do
    case $arg in
        --arm64) arm64=true ;;
        --windows) windows=true ;;
        *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
          qt6-serialport-dev libasound2-dev xvfb xauth imagemagick
          help2man librsvg2-bin desktop-file-utils appstream dpkg-dev file)
# Qt Linguist's lupdate and lrelease with their CMake package, and Qt's own translations
# (the standard buttons and the file dialog) for the languages the window speaks.
packages+=(qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)
# The gateway's MQTT client library, and the broker its tests run (with mosquitto_passwd);
# OpenSSL's headers, with which the gateway checks its TLS files at start; and
# systemd-analyze, which checks its unit.
packages+=(libmosquitto-dev mosquitto libssl-dev systemd)
# clang and its libFuzzer runtime, for the fuzz targets of the parsers.
packages+=(clang libclang-rt-dev)

# The arm64 package: the cross compiler, Debian's arm64 Qt, ALSA, libmosquitto and OpenSSL
# beside this machine's own (multiarch), qemu-user to run the arm64 programs here (their man
# pages are made from their --help, and scripts/test-arm64.sh runs them), lintian to check the
# package, the subscriber and the JSON reader of scripts/test-arm64.sh, and valgrind, whose
# callgrind bench/poll-instructions.sh runs (it unpacks the arm64 one itself).
if $arm64; then
    packages+=(crossbuild-essential-arm64 qt6-base-dev:arm64 qt6-serialport-dev:arm64
               libasound2-dev:arm64 libmosquitto-dev:arm64 libssl-dev:arm64
               qemu-user-static lintian mosquitto-clients python3 valgrind)
fi

# Windows: MinGW-w64 with POSIX threads, Wine and xdotool to run and drive what it makes,
# NSIS for the installer, zip for the portable folder, python3 and bc for the test's image
# and figures, and the source of Debian's Qt 6 base, which is built for Windows once. That
# source comes through a deb-src entry for the archive the machine already uses.
if $windows; then
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis zip
               unzip xdotool python3 bc)
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        suites=$(sed -n 's/^Suites: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
        uris=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
        [ -n "$suites" ] || suites="$(. /etc/os-release && echo "$VERSION_CODENAME")"
        [ -n "$uris" ] || uris=http://deb.debian.org/debian
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
            "$uris" "$suites" /usr/share/keyrings/debian-archive-keyring.gpg |
            $sudo tee /etc/apt/sources.list.d/levelconf-deb-src.sources >/dev/null
        $sudo apt-get update
    fi
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if $arm64 && ! dpkg --print-foreign-architectures | grep -qx arm64; then
    $sudo dpkg --add-architecture arm64
fi
$sudo apt-get update
# --no-remove: the arm64 libraries must come beside the machine's own, never instead of them
# (apt refuses rather than take a package away).
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends --no-remove \
    "${missing[@]}"
