#!/usr/bin/env bash
# Tests the Windows build under Wine: levelconf-cli.exe and levelconf.exe against sensor-sim,
# whose pseudo-terminal is COM5 in a Wine prefix of the test's own. Builds what is missing
# first (scripts/make-windows.sh; the first Qt build takes about half an hour). Ends with
# "N passed, M failed", and fails when any check did.
#   scripts/test-windows.sh            the checks
#   BENCH=1 scripts/test-windows.sh    also time a full firmware update on the paced loader
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

version=$(sed -n 's/^project(levelconf VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
folder=$root/build-windows/levelconf-$version
if [ ! -x "$folder/levelconf-cli.exe" ] || [ ! -x "$folder/levelconf.exe" ]; then
    scripts/make-windows.sh || exit 1
fi
scripts/install-deps.sh --windows || exit 1

# sensor-sim, and a levelconf-cli to compare with, built for this machine.
host=$root/build-windows/host
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEVELCONF_TESTS=OFF -DLEVELCONF_BENCH=ON \
    >/dev/null || exit 1
cmake --build "$host" --target sensor-sim levelconf-cli >/dev/null || exit 1
sim=$host/sim/sensor-sim
cache_qt=${LEVELCONF_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/levelconf-windows}/qt6-win64

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
# No Mono and no Gecko to offer in a fresh prefix: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset LANGUAGE LANG LC_MESSAGES

sim_pid=""
xvfb_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own for the window and Wine's own windows.
display=:$((50 + RANDOM % 50))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
sleep 1

echo "Making a fresh Wine prefix"
wineboot -i >/dev/null 2>&1
wineserver -w

passed=0
failed=0
pass() {
    passed=$((passed + 1))
    echo "PASS: $1"
}
fail() {
    failed=$((failed + 1))
    echo "FAIL: $1"
    [ -n "${2:-}" ] && sed 's/^/    /' <<<"$2"
}

# A bus on COM5: sensor-sim's device, named as Windows names a port.
start_bus() {
    stop_bus
    rm -f "$work/bus"
    "$sim" "$@" --link "$work/bus" >"$work/sim.out" 2>&1 &
    sim_pid=$!
    for _ in $(seq 50); do
        [ -L "$work/bus" ] && break
        sleep 0.1
    done
    ln -sfn "$(readlink -f "$work/bus")" "$WINEPREFIX/dosdevices/com5"
}
stop_bus() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
        sim_pid=""
    fi
}

# cli NAME STATUS PATTERN ARGS...: levelconf-cli.exe on COM5 ends with STATUS, and its
# output (standard output, then standard error) holds the extended regular expression.
cli() {
    local name=$1 want=$2 pattern=$3
    shift 3
    local out status
    out=$(cd "$work" && timeout 120 wine "$folder/levelconf-cli.exe" --log-folder 'C:\logs' \
        "$@" 2>"$work/err" | tr -d '\r')
    status=$?
    out+=$'\n'$(tr -d '\r\000' <"$work/err")
    if [ "$status" -eq "$want" ] && grep -Eq -- "$pattern" <<<"$out"; then
        pass "$name"
    else
        fail "$name (status $status, wanted $want)" "$out"
    fi
}

start_bus --demo

cli "--version" 0 '^levelconf-cli '"$version"'$' --version
cli "search finds the demo bus" 0 '^1 2 5$' --port COM5 search
cli "the typed device name opens too" 0 '^1 2 5$' --port '\\.\COM5' search
cli "--json info" 0 '"firmware":"1\.7\.6\.".*"serial":12345' --port COM5 --json info 5
watch_lines=$(cd "$work" && wine "$folder/levelconf-cli.exe" --port COM5 --log-folder 'C:\logs' \
    watch 5 --count 3 2>/dev/null | tr -d '\r' | wc -l)
if [ "$watch_lines" -eq 4 ]; then pass "watch prints a header and 3 readings"; else
    fail "watch prints a header and 3 readings" "$watch_lines lines"; fi
cli "a setting" 0 'Distance limit set' --port COM5 set 1 max-distance=800
cli "a refused setting" 4 'Wrong password' --port COM5 set 2 max-distance=800
cli "table read" 0 '' --port COM5 table read 5 'C:\tank.pl5'
if [ -s "$WINEPREFIX/drive_c/tank.pl5" ]; then pass "the table file is written"; else
    fail "the table file is written"; fi
cli "table write" 0 'Calibration table written' --port COM5 table write 5 'C:\tank.pl5' --litres
logs=$(find "$WINEPREFIX/drive_c/logs" -type f 2>/dev/null | wc -l)
if [ "$logs" -ge 1 ]; then pass "the session logs are written ($logs files)"; else
    fail "the session logs are written" "no file"; fi
if grep -rqa "Com Port .*COM5 Closed" "$WINEPREFIX/drive_c/logs"; then
    pass "the logs close the port"
else fail "the logs close the port"; fi

# Bad input gets what it gets on Linux.
cli "a port that does not exist" 2 'Com Port .*COM9 unavailable' --port COM9 search
cli "a bad address" 5 'not a sensor.s network address' --port COM5 info 300
# The language follows the Windows display language, which Wine takes from the locale.
ru=$(cd "$work" && LC_ALL=ru_RU.UTF-8 wine "$folder/levelconf-cli.exe" --port COM5 info 300 2>&1 | tr -d '\r')
if grep -q 'Ничего не отправлено' <<<"$ru"; then pass "a Russian display language speaks Russian"
else fail "a Russian display language speaks Russian" "$ru"; fi
cli "--language ru whatever the display language" 5 "Ничего не отправлено" --port COM5 --language ru info 300
cli "a table file that is a device" 5 'not a regular file|cannot be opened' \
    --port COM5 table write 5 NUL
(cd "$work" && timeout 60 wine "$folder/levelconf-cli.exe" --port COM5 --log-folder 'C:\logs' \
    watch 5 --count 8 >/dev/null 2>&1) &
holder=$!
sleep 4
cli "a port another program holds" 2 'unavailable. It is in use by another program' --port COM5 search
wait "$holder"

# Firmware: a full PL-540 image into the simulated loader.
python3 - "$work/PL-540.cri" 224 <<'EOF'
import sys
path, app_blocks = sys.argv[1], int(sys.argv[2])
skip = 160
image = bytearray(64)
for n in range(4):
    image[19 + n] = 0xA1 + n
for k in range(skip + app_blocks):
    image += bytes(((k * 31 + i * 7 + 1) & 0xFF) for i in range(128))
image[64 + 128 * skip] = 0x23
open(path, "wb").write(image)
EOF
cp "$work/PL-540.cri" "$WINEPREFIX/drive_c/PL-540.cri"
start_bus --demo --loader-baud 0 --loader-block-time 0
cli "flash a full image" 0 'Firmware update done' --port COM5 flash 'C:\PL-540.cri' --type PL540

# The adapter pulled in the middle of an update.
start_bus --demo
(sleep 8 && kill -USR1 "$sim_pid") &
cli "the port pulled mid-update" 2 'COM port unavailable' --port COM5 flash 'C:\PL-540.cri' \
    --type PL540

if [ "${BENCH:-0}" = 1 ]; then
    # The engine's ticks on the window's thread, the Windows serial module under Wine beside
    # Qt SerialPort on Linux, against the same simulated sensor.
    cmake --build "$root/build-windows/programs" --target bench_tick_port >/dev/null &&
        cmake --build "$host" --target bench_tick_port >/dev/null || exit 1
    cp "$root/build-windows/programs/bench_tick_port.exe" "$folder/"
    start_bus --sensor address=5,serial=12345,firmware=176,mode=0x88,filtration=0x13
    echo "BENCH: Wine, drawn through Wine's windows"
    (cd "$work" && wine "$folder/bench_tick_port.exe" --port COM5 2>/dev/null | tr -d '\r')
    # The same without Wine's drawing, as the Linux run draws offscreen.
    cp "$cache_qt/plugins/platforms/qoffscreen.dll" "$folder/platforms/"
    echo "BENCH: Wine, offscreen"
    (cd "$work" && wine "$folder/bench_tick_port.exe" -platform offscreen --port COM5 \
        2>/dev/null | tr -d '\r')
    rm -f "$folder/bench_tick_port.exe" "$folder/platforms/qoffscreen.dll"
    echo "BENCH: Linux"
    QT_QPA_PLATFORM=offscreen "$host/bench/bench_tick_port" --port "$work/bus" 2>/dev/null
    # The update as the technician sees it: 19200 baud, 3 ms programming a block.
    for run in 1 2 3; do
        start_bus --demo
        start=$(date +%s.%N)
        (cd "$work" && wine "$folder/levelconf-cli.exe" --version >/dev/null 2>&1)
        startup_s=$(echo "$(date +%s.%N) - $start" | bc)
        start=$(date +%s.%N)
        (cd "$work" && wine "$folder/levelconf-cli.exe" --port COM5 --log-folder 'C:\logs' \
            flash 'C:\PL-540.cri' --type PL540 >/dev/null 2>&1)
        wine_s=$(echo "$(date +%s.%N) - $start" | bc)
        start_bus --demo
        start=$(date +%s.%N)
        "$host/levelconf-cli" --port "$work/bus" --log-folder "$work/linux-logs" \
            flash "$work/PL-540.cri" --type PL540 >/dev/null 2>&1
        linux_s=$(echo "$(date +%s.%N) - $start" | bc)
        echo "BENCH: full PL-540 update, run $run: Wine ${wine_s} s (of it ${startup_s} s" \
            "starting a program under Wine), Linux ${linux_s} s"
    done
fi

# The window: open COM5, search, sensor 5's readings, close; its session log beside it.
# The bus holds the demo's sensor 5 alone, so that the search picks it first.
cat >"$work/sensor5.json" <<'EOF'
{"sensors": [{"address": 5, "serial": 12345, "firmware": 176, "mode": "0x88",
  "filtration": "0x13", "output": 2048,
  "table": {"readings": [205, 410, 614, 819, 1024, 1229, 1434, 1638, 1843, 2048, 2253, 2458,
                         2662, 2867, 3072, 3277, 3482, 3686, 3891, 4096],
            "volumes": [56, 156, 282, 427, 587, 757, 936, 1121, 1309, 1500, 1691, 1879, 2064,
                        2243, 2413, 2573, 2718, 2844, 2944, 3000]}}]}
EOF
start_bus --config "$work/sensor5.json"
window_log=$folder/log
rm -rf "$window_log"
(cd "$work" && wine "$folder/levelconf.exe" --port COM5 >"$work/window.out" 2>&1) &
window=$!
wid=""
for _ in $(seq 60); do
    wid=$(xdotool search --name "QX-510 & HZL-310 configurator" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    sleep 1
done
if [ -n "$wid" ]; then
    pass "the window opens"
    sleep 6 # the start-up picture
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1
    xdotool key --window "$wid" alt+o 2>/dev/null
    sleep 2
    xdotool key --window "$wid" alt+e 2>/dev/null
    sleep 4
    sleep 6
    import -window root "$work/window.png" 2>/dev/null
    mkdir -p "$root/build-windows"
    cp "$work/window.png" "$root/build-windows/levelconf-wine.png" 2>/dev/null
    xdotool key --window "$wid" alt+c 2>/dev/null
    sleep 2
    # As Windows closes a program that is asked to: a WM_CLOSE to its window.
    wine taskkill /im levelconf.exe >/dev/null 2>&1
else
    fail "the window opens" "$(cat "$work/window.out")"
fi
for _ in $(seq 30); do
    kill -0 "$window" 2>/dev/null || break
    sleep 1
done
if kill -0 "$window" 2>/dev/null; then
    fail "the window closes"
    kill "$window" 2>/dev/null
else
    pass "the window closes"
fi
log_file=$(find "$window_log" -type f 2>/dev/null | head -n 1)
if [ -n "$log_file" ]; then
    text=$(tr -d '\r' <"$log_file")
    for line in "Com Port .*COM5 Open" "12345" "Com Port .*COM5 Closed"; do
        if grep -Eq "$line" <<<"$text"; then pass "the window's log: $line"; else
            fail "the window's log: $line" "$text"; fi
    done
else
    fail "the window writes its session log beside it" "$(ls -la "$folder")"
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
