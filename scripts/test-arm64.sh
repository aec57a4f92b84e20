#!/usr/bin/env bash
# Tries the arm64 package on this machine: its levelconf-cli and levelconf-gateway run under
# qemu-user against sensor-sim's demo bus (this machine's own sensor-sim) and Debian's
# mosquitto on a loopback port of its own. Each check prints a line; the last line says
# "N passed, M failed", and the exit status is 0 only when none failed.
#
#   scripts/test-arm64.sh [--deb PACKAGE] [--sim PROGRAM]
#
# PACKAGE is build-package/levelconf_<version>_arm64.deb by default (scripts/make-package.sh
# --arch arm64 makes it); PROGRAM is a sensor-sim built for this machine, by default the one
# of the native package build or of build/. The package is unpacked into a temporary folder
# and its programs run from there with the arm64 libraries installed beside this machine's
# own (scripts/install-deps.sh --arm64).
set -uo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(levelconf VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build-package/levelconf_${version}_arm64.deb
sim=""
while [ $# -gt 0 ]; do
    case $1 in
        --deb) deb=${2:?"--deb needs a package"}; shift 2 ;;
        --sim) sim=${2:?"--sim needs a program"}; shift 2 ;;
        -h|--help) sed -n '2,13s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "test-arm64.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
if [ -z "$sim" ]; then
    for candidate in build-package/sim/sensor-sim build/sim/sensor-sim; do
        if [ -x "$candidate" ]; then
            sim=$candidate
            break
        fi
    done
fi
qemu=$(command -v qemu-aarch64-static || command -v qemu-aarch64 || true)
for need in "$deb:the arm64 package" "$sim:sensor-sim" "$qemu:qemu-aarch64-static"; do
    if [ ! -e "${need%%:*}" ]; then
        echo "test-arm64.sh: ${need#*:} not found (${need%%:*})" >&2
        exit 2
    fi
done
for tool in mosquitto mosquitto_sub; do
    if ! command -v "$tool" > /dev/null; then
        echo "test-arm64.sh: $tool not found (scripts/install-deps.sh --arm64 installs it)" >&2
        exit 2
    fi
done

. scripts/bus-kit.sh

passed=0
failed=0
# check NAME COMMAND...: one line, "ok" or "FAILED", for whether COMMAND succeeds.
check() {
    local name=$1
    shift
    if "$@"; then
        echo "ok      $name"
        passed=$((passed + 1))
    else
        echo "FAILED  $name"
        failed=$((failed + 1))
    fi
}
has() { grep -Eq "$1" "$2"; }

root=$tmp/root
dpkg-deb -x "$deb" "$root"
cli=("$qemu" "$root/usr/bin/levelconf-cli")
gateway=("$qemu" "$root/usr/bin/levelconf-gateway")

check "the package is for arm64" test "$(dpkg-deb -f "$deb" Architecture)" = arm64
for program in levelconf levelconf-cli levelconf-gateway sensor-sim; do
    check "$program is an ARM aarch64 program" \
        has 'ELF 64-bit LSB .*ARM aarch64' <(file -b "$root/usr/bin/$program")
done

# The versions, which also show that the programs start, with their libraries, under qemu.
"${cli[@]}" --version > "$tmp/cli-version" 2>&1
check "levelconf-cli --version" has "^levelconf-cli $version\$" "$tmp/cli-version"
"${gateway[@]}" --version > "$tmp/gateway-version" 2>&1
check "levelconf-gateway --version" has "^levelconf-gateway $version\$" "$tmp/gateway-version"

# The demo bus: sensors 1001, 1002 and 12345 at addresses 1, 2 and 5.
if ! startSim; then
    echo "test-arm64.sh: sensor-sim did not start, or only on terminals held elsewhere:" >&2
    cat "$tmp"/sim*.out >&2
    exit 2
fi
logs=(--log-folder "$tmp/log")

"${cli[@]}" --port "$bus" search "${logs[@]}" > "$tmp/search" 2> "$tmp/search.err"
check "search finds addresses 1, 2 and 5" \
    test "$(grep -Eo '[0-9]+' "$tmp/search" | tr '\n' ' ')" = "1 2 5 "

"${cli[@]}" --port "$bus" --json info 5 "${logs[@]}" > "$tmp/info" 2> "$tmp/info.err"
check "--json info 5 is sensor 12345 at address 5, firmware 1.7.6" \
    python3 -c '
import json, sys
lines = open(sys.argv[1]).read().splitlines()
o = json.loads(lines[0]) if len(lines) == 1 else {}
sys.exit(not (o.get("address") == 5 and o.get("serial") == 12345
              and o.get("firmware_code") == 176 and o.get("distance_cm", 0) > 0))' "$tmp/info"

"${cli[@]}" --port "$bus" watch 5 --count 3 "${logs[@]}" > "$tmp/watch" 2> "$tmp/watch.err"
watchStatus=$?
check "watch --count 3 ends with status 0" test "$watchStatus" = 0
check "watch --count 3 prints its header and three readings of address 5" \
    python3 -c '
import sys
lines = open(sys.argv[1]).read().splitlines()
rows = [l.split() for l in lines[1:]]
sys.exit(not (len(lines) == 4 and lines[0].split()[:3] == ["time", "address", "distance_cm"]
              and all(len(r) >= 5 and r[1] == "5" and r[2].replace(".", "", 1).isdigit()
                      and float(r[2]) > 0 for r in rows)))
' "$tmp/watch"

# The broker, on a loopback port of its own.
if ! startBroker; then
    echo "test-arm64.sh: mosquitto did not start:" >&2
    cat "$tmp/mosquitto.out" >&2
    exit 2
fi
mosquitto_sub -h 127.0.0.1 -p "$port" -v -t 'levelconf/#' -t 'homeassistant/#' \
    > "$tmp/mqtt" 2>&1 &
pids+=($!)

"${gateway[@]}" --port "$bus" --mqtt "mqtt://127.0.0.1:$port" --client-id arm64-test \
    --language en 2> "$tmp/gateway.log" &
gatewayPid=$!
pids+=($gatewayPid)
everything() {
    local serial
    for serial in 1001 1002 12345; do
        has "^levelconf/$serial/state \\{" "$tmp/mqtt" || return 1
        has "^homeassistant/[^ ]*levelconf_$serial[^ ]*/config \\{" "$tmp/mqtt" || return 1
    done
}
waitFor 90 everything
for serial in 1001 1002 12345; do
    check "the gateway publishes the states of sensor $serial" \
        has "^levelconf/$serial/state \\{.*\"distance_cm\"" "$tmp/mqtt"
    check "the gateway publishes the discovery of sensor $serial" \
        has "^homeassistant/[^ ]*levelconf_$serial[^ ]*/config \\{.*\"state_topic\"" "$tmp/mqtt"
done
check "the gateway says it is online" has '^levelconf/gateway/arm64-test/status online$' \
    "$tmp/mqtt"

# A stop by SIGTERM, as systemd stops the service: offline said, status 0.
kill -TERM "$gatewayPid"
wait "$gatewayPid"
gatewayStatus=$?
check "the gateway stops on SIGTERM with status 0" test "$gatewayStatus" = 0
waitFor 5 has '^levelconf/gateway/arm64-test/status offline$' "$tmp/mqtt"
check "the gateway says it is offline once stopped" \
    has '^levelconf/gateway/arm64-test/status offline$' "$tmp/mqtt"

if [ "$failed" -ne 0 ]; then
    for f in search.err info.err watch.err gateway.log; do
        echo "--- $f"
        cat "$tmp/$f"
    done
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
