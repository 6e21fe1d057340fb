#!/usr/bin/env bash
# Sets everything up, starts the simulated phone and identifies it with the command-line
# program; the desktop window takes this place once it exists. Extra arguments go to the
# simulated phone (for example --baud 38400).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build_dir=${BUILD_DIR:-$root/build}

coproc PHONESIM { exec "$build_dir/dexmoro-phonesim" "$@"; }
phonesim_pid=$PHONESIM_PID
trap 'kill "$phonesim_pid" 2>/dev/null || true; wait "$phonesim_pid" 2>/dev/null || true' EXIT

device=
if ! read -r -t 10 device <&"${PHONESIM[0]}" || [ -z "$device" ]; then
    echo "run-demo: the simulated phone did not start" >&2
    exit 1
fi
echo "Simulated phone on $device"
"$build_dir/dexmoro-cli" --device "$device" identify
