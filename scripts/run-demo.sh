#!/usr/bin/env bash
# Sets everything up and starts the program on the built-in simulated phone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
exec "${BUILD_DIR:-$root/build}/dexmoro" --demo "$@"
