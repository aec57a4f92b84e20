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
# The simulator prints its device once the link is in place. Waiting for the link alone
# would not do: one left behind by a killed earlier run may still be there.
coproc SIM { exec "$build/sim/sensor-sim" --demo --link "$link"; }
sim=$SIM_PID
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
if ! read -r -t 10 _ <&"${SIM[0]}"; then
    echo "demo.sh: sensor-sim did not start" >&2
    exit 1
fi
"$build/levelconf" --port "$link" "$@"
