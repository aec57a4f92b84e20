#!/usr/bin/env bash
# The processor instructions levelconf-gateway spends on one poll, counted by callgrind: on
# this machine (amd64) and for arm64, where the arm64 callgrind runs under qemu-user. Time
# and memory under an emulator say nothing of a real board; the instructions the program
# executes are the same on an emulated arm64 as on a Raspberry Pi.
#
#   bench/poll-instructions.sh [--arch amd64|arm64] [--polls N] [--runs N] [--sim PROGRAM]
#
# The gateway (of the package builds, scripts/make-package.sh [--arch arm64]) polls the
# three sensors of sensor-sim's demo bus with --interval 0 and publishes to a mosquitto on
# loopback. It is stopped once a run's states have reached a subscriber; a run of 20 states
# and one of 20 + N (300 by default) differ by the polls alone, so the difference of their
# instructions over the difference of their states is the cost of a poll: the request,
# the answer, the state's JSON and its publishing, with the timers and the MQTT loop, and
# nothing of the start or the stop. Each pair is run --runs times (3). PROGRAM is this
# machine's sensor-sim, by default that of the native package build.
set -uo pipefail
cd "$(dirname "$0")/.."

arch=$(dpkg --print-architecture)
polls=300
runs=3
sim=build-package/sim/sensor-sim
while [ $# -gt 0 ]; do
    case $1 in
        --arch) arch=${2:?}; shift 2 ;;
        --polls) polls=${2:?}; shift 2 ;;
        --runs) runs=${2:?}; shift 2 ;;
        --sim) sim=${2:?}; shift 2 ;;
        -h|--help) sed -n '2,17s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "poll-instructions.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

if [ "$arch" = arm64 ]; then
    program=build-package-arm64/src/gateway/levelconf-gateway
    # The arm64 valgrind is not installable beside this machine's own, so it is unpacked
    # into the build folder. Its launcher would start the tool as a program of this
    # machine, so the tool is started under qemu directly; it is still told its own name,
    # or it preloads memcheck's allocator into the program. The processor is a Raspberry Pi
    # 4's, the Cortex-A72: valgrind needs the cache line size a real one reports, and the C
    # library picks its string functions by the processor, as it would on the Pi.
    valgrind=build-package-arm64/valgrind
    if [ ! -d "$valgrind" ]; then
        mkdir -p "$valgrind" && (cd "$valgrind" && apt-get download valgrind:arm64) &&
            dpkg-deb -x "$valgrind"/valgrind_*_arm64.deb "$valgrind" || exit 2
    fi
    export VALGRIND_LIB=$PWD/$valgrind/usr/libexec/valgrind
    export VALGRIND_LAUNCHER=$PWD/$valgrind/usr/bin/valgrind
    callgrind=("$(command -v qemu-aarch64-static)" -cpu cortex-a72
               "$VALGRIND_LIB/callgrind-arm64-linux"
               --tool=callgrind)
else
    program=build-package/src/gateway/levelconf-gateway
    callgrind=(valgrind --tool=callgrind)
fi
for need in "$program" "$sim"; do
    if [ ! -x "$need" ]; then
        echo "poll-instructions.sh: $need not found (scripts/make-package.sh builds it)" >&2
        exit 2
    fi
done

. scripts/bus-kit.sh

startSim || exit 2
startBroker || exit 2

states() {
    local n
    n=$(grep -c . "$tmp/states" 2> /dev/null)
    echo "${n:-0}"
}
# enough STATES PID: STATES have come, or the gateway PID is no more.
enough() { [ "$(states)" -ge "$1" ] || ! kill -0 "$2" 2> /dev/null; }
# run STATES: the gateway's instructions and the states it published, when stopped after
# STATES of them.
run() {
    : > "$tmp/states"
    mosquitto_sub -h 127.0.0.1 -p "$port" -t 'levelconf/+/state' > "$tmp/states" &
    local sub=$!
    sleep 0.5
    "${callgrind[@]}" --callgrind-out-file="$tmp/callgrind.out" "$program" --port "$bus" \
        --mqtt "mqtt://127.0.0.1:$port" --addresses 1,2,5 --interval 0 --client-id bench \
        --language en 2> "$tmp/gateway.log" &
    local gateway=$!
    waitFor 1800 enough "$1" "$gateway"
    if [ "$(states)" -lt "$1" ]; then
        echo "poll-instructions.sh: $(states) states of $1; the gateway said:" >&2
        cat "$tmp/gateway.log" >&2
        kill "$gateway" 2> /dev/null
        exit 1
    fi
    kill -TERM "$gateway"
    wait "$gateway"
    sleep 1
    kill "$sub"
    wait "$sub" 2> /dev/null
    echo "$(sed -n 's/^totals: //p' "$tmp/callgrind.out") $(states)"
}

short=20
echo "levelconf-gateway ($arch), demo bus, --interval 0: runs of $short and $((short + polls))" \
     "states"
for ((i = 1; i <= runs; i++)); do
    read -r shortIr shortStates < <(run $short)
    read -r longIr longStates < <(run $((short + polls)))
    echo "run $i: $shortIr instructions for $shortStates states, $longIr for $longStates:" \
         "$(((longIr - shortIr) / (longStates - shortStates))) a poll"
done
