#!/usr/bin/env bash
# Installs the Debian packages levelconf is built, tested and packaged with, when any is
# missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

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
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
