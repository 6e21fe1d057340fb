#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then configures and builds into build/ (or the folder in BUILD_DIR).
# Extra arguments go to CMake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build_dir=${BUILD_DIR:-$root/build}
# Compiler cache paths relative to the project, so another clone of it hits the same cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=1
# Precompiled headers are cached too once ccache may ignore their time stamps and macros.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
cmake -S "$root" -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir" -j "$(nproc)"
