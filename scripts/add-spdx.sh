#!/usr/bin/env bash
# Adds "// SPDX-License-Identifier: GPL-3.0-or-later" (or the "#" form for CMake, Python and
# shell) as the first line of every source file that lacks it; after the "#!" line where there is
# one. Folders may be given; default: src tools tests bench fuzz. Prints the files it changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/spdx-files.sh
changed=0
while IFS= read -r file; do
  head -n 3 "$file" | grep -qF "$spdx_tag" && continue
  line="$(spdx_comment "$file") $spdx_tag"
  if [ ! -s "$file" ]; then
    echo "$line" >"$file"
  elif head -n 1 "$file" | grep -q '^#!'; then
    sed -i "1a $line" "$file"
  else
    sed -i "1i $line" "$file"
  fi
  echo "$file"
  changed=$((changed + 1))
done < <(spdx_files "$@")
echo "add-spdx: $changed files changed" >&2
