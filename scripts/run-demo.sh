#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up and starts Dexmoro on the built-in simulated phone, with a demo working
# folder and profile of its own. Extra arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build_dir=${BUILD_DIR:-$root/build}
exec "$build_dir/dexmoro" --demo "$@"
