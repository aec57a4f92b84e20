#!/usr/bin/env bash
# Runs ./test.sh in a clean root of a Debian release, to show that levelconf builds and
# passes its tests there as on the machine it was written on.
#
#   scripts/test-in-debian.sh SUITE      SUITE is bookworm (Debian 12) or trixie (Debian 13)
#
# The first run makes a minimal root of that release with debootstrap (slow: it downloads
# the base system and, through ./test.sh, the build packages). The root is kept in
# ${LEVELCONF_DEBIAN_ROOTS:-~/.cache/levelconf-debian}/SUITE and reused by later runs, as is a
# compiler cache inside it. Each run clones the committed state of this checkout afresh into
# the root and runs ./test.sh there under chroot. Needs root rights; debootstrap is installed
# when it is missing.
#
# Environment: LEVELCONF_DEBIAN_MIRROR (default http://deb.debian.org/debian).
set -euo pipefail

usage() {
    echo "usage: $0 bookworm|trixie" >&2
    exit 2
}
[ $# -eq 1 ] || usage
suite=$1
case "$suite" in
    bookworm|trixie) ;;
    *) usage ;;
esac

if [ "$(id -u)" -ne 0 ]; then
    exec sudo -E "$0" "$@"
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
cache=${LEVELCONF_DEBIAN_ROOTS:-${HOME}/.cache/levelconf-debian}
mirror=${LEVELCONF_DEBIAN_MIRROR:-http://deb.debian.org/debian}
root=$cache/$suite
ready=$root/.levelconf-root-ready

mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

bind() {
    local what=$1 where=$root$1
    mkdir -p "$where"
    mount --bind "$what" "$where"
    mounted+=("$where")
}

mount_all() {
    mkdir -p "$root/proc" "$root/sys"
    mount -t proc proc "$root/proc"
    mounted+=("$root/proc")
    mount -t sysfs sysfs "$root/sys"
    mounted+=("$root/sys")
    bind /dev
    bind /dev/pts
    # /dev/shm is a plain folder inside /dev on some hosts and its own mount on others.
    if mountpoint -q /dev/shm; then
        bind /dev/shm
    fi
}

make_root() {
    if ! command -v debootstrap >/dev/null; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
    fi
    echo "Making a $suite root in $root"
    rm -rf "$root"
    mkdir -p "$root"
    debootstrap --variant=minbase --include=ca-certificates,git,ccache \
        "$suite" "$root" "$mirror"
    # The build packages come from ./test.sh itself (scripts/install-deps.sh); they stay in
    # the root, so later runs start at once.
    touch "$ready"
}

[ -e "$ready" ] || make_root

cp -L /etc/resolv.conf "$root/etc/resolv.conf"
mount_all

# A fresh clone of what is committed here, so nothing of this checkout's build folders or
# uncommitted files leaks in.
rm -rf "$root/src/levelconf"
mkdir -p "$root/src"
git clone --quiet --no-hardlinks "$repo" "$root/src/levelconf"

start=$(date +%s)
status=0
# The compiler cache lives in the root and makes repeated runs of one release quicker;
# CMake takes the launcher from the environment.
chroot "$root" /usr/bin/env -i \
    HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" DEBIAN_FRONTEND=noninteractive \
    CCACHE_DIR=/var/cache/ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache \
    /bin/bash -c 'cd /src/levelconf && ./test.sh' || status=$?
echo "Debian $suite ($(cat "$root/etc/debian_version")): ./test.sh exited with $status" \
     "after $(($(date +%s) - start)) s"
exit "$status"
