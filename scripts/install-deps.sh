#!/usr/bin/env bash
# Installs the Debian packages levelconf is built, tested and packaged with, when any is
# missing.
# Safe to run again: it does nothing when everything is there.
#
#   scripts/install-deps.sh --arm64   also what the arm64 package is cross-built and tested
#                                     with (scripts/make-package.sh --arch arm64)
set -euo pipefail

arm64=false
for arg in "$@"; do
    case $arg in
        --arm64) arm64=true ;;
        *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

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

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
if $arm64 && ! dpkg --print-foreign-architectures | grep -qx arm64; then
    $sudo dpkg --add-architecture arm64
fi
$sudo apt-get update
# --no-remove: the arm64 libraries must come beside the machine's own, never instead of them
# (apt refuses rather than take a package away).
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends --no-remove \
    "${missing[@]}"
