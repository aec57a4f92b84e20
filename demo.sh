#!/usr/bin/env bash
# Builds levelconf and sensor-sim, starts a simulated bus of three sensors on a
# pseudo-terminal, and starts levelconf connected to it. Closing levelconf stops the bus.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVELCONF_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)"

link="${XDG_RUNTIME_DIR:-/tmp}/levelconf-demo-bus"
"$build/sim/sensor-sim" --demo --link "$link" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "$link" ] && break
    sleep 0.1
done
"$build/levelconf" --port "$link" "$@"
