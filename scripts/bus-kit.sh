# Sourced by the scripts that run built programs against sensor-sim and Debian's mosquitto
# (scripts/test-arm64.sh, bench/poll-instructions.sh). Needs $sim, the sensor-sim to run.
# Gives $tmp, a folder removed on exit with every process listed in pids; waitFor; startSim,
# which sets $bus; and startBroker, which sets $port.

tmp=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2> /dev/null
    done
    wait 2> /dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# waitFor SECONDS COMMAND...: until COMMAND succeeds, or SECONDS have passed.
waitFor() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}
listening() { (exec 3<> "/dev/tcp/127.0.0.1/$1") 2> /dev/null; }

# startSim: sensor-sim's demo bus on a pseudo-terminal that no other program holds, linked as
# $bus. A program elsewhere that still has an earlier terminal of the same number open keeps
# its lock file, and a gateway elsewhere that lost its port takes the next terminal of that
# number within the 3 s of its retry; the port would then be refused as in use. Such a
# simulator is kept running, so that the next one gets another number.
startSim() {
    local try lock holder
    for try in 1 2 3 4 5; do
        bus=$tmp/bus$try
        "$sim" --demo --link "$bus" > "$tmp/sim$try.out" 2>&1 &
        pids+=($!)
        waitFor 10 test -e "$bus" || return 1
        sleep 3.5
        lock=/var/lock/LCK..$(readlink "$bus" | sed 's|^/dev/||; s|/|_|g')
        holder=$(head -n 1 "$lock" 2> /dev/null)
        if [ -z "$holder" ] || ! kill -0 "$holder" 2> /dev/null; then
            return 0
        fi
    done
    return 1
}

# startBroker: mosquitto on a loopback port nobody listens on, keeping the user it was
# started as; its output in $tmp/mosquitto.out.
startBroker() {
    port=$((20000 + RANDOM % 20000))
    while listening "$port"; do
        port=$((20000 + RANDOM % 20000))
    done
    printf 'listener %s 127.0.0.1\nallow_anonymous true\nuser %s\nlog_dest none\n' \
        "$port" "$(id -un)" > "$tmp/mosquitto.conf"
    mosquitto -c "$tmp/mosquitto.conf" > "$tmp/mosquitto.out" 2>&1 &
    pids+=($!)
    waitFor 10 listening "$port"
}
