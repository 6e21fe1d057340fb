#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dexmoro_<version>_<arch>.deb from the build in build/ (or BUILD_DIR;
# configured and built when missing, else its programs brought up to date) into <build>/package/,
# then checks it:
# unpacked into a scratch root, its programs print their version; the desktop entry and the
# AppStream metadata pass their validators; lintian reports no errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build_dir=${BUILD_DIR:-$root/build}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=1
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  BUILD_DIR=$build_dir "$root/scripts/build.sh"
fi
cmake --build "$build_dir" -j "$(nproc)" --target dexmoro dexmoro-cli dexmoro-phonesim dexmoro_dist

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb=$build_dir/package/dexmoro_${version}_${arch}.deb
rm -rf "$build_dir/package"
(cd "$build_dir" && DEXMORO_DEBIAN_LAYOUT=1 cpack -G DEB -B "$build_dir/package" >/dev/null)
if [ ! -f "$deb" ]; then
  echo "package.sh: cpack made no $deb:" >&2
  ls "$build_dir/package" >&2
  exit 1
fi
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

failed=0
fail() {
  echo "package.sh: $*" >&2
  failed=1
}

# The programs run from an unpacked copy, with no display, and name the version.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch"
for program in dexmoro dexmoro-cli dexmoro-phonesim; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/usr/bin/$program" --version) ||
    fail "$program --version failed"
  echo "$program --version: $out"
  [ "$out" = "$program $version" ] || fail "$program --version printed \"$out\", not \"$program $version\""
done

desktop-file-validate "$scratch"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$scratch"/usr/share/metainfo/*.metainfo.xml ||
  fail "appstreamcli validate"
for size in 16 32 48 256; do
  [ -f "$scratch/usr/share/icons/hicolor/${size}x${size}/apps/dexmoro.png" ] ||
    fail "no ${size}x${size} icon"
done
for page in dexmoro dexmoro-cli dexmoro-phonesim; do
  # man's own check: every request known, every line fits.
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$scratch/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

# Errors fail the run; warnings are shown.
lintian_args=(--tag-display-limit 0 --display-info)
[ "$(id -u)" -ne 0 ] || lintian_args+=(--allow-root)
lintian_out=$(lintian "${lintian_args[@]}" "$deb" 2>&1) || true
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then
  fail "lintian reports errors"
fi

if [ "$failed" -ne 0 ]; then
  exit 1
fi
echo "package.sh: $deb built and checked"
