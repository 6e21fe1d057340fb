#!/usr/bin/env bash
# Fails when a source file lacks the line "SPDX-License-Identifier: GPL-3.0-or-later" among its
# first lines (after a "#!" line, say). Folders to look in may be given; default: src tools tests
# bench fuzz. scripts/add-spdx.sh adds the line where it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/spdx-files.sh
missing=()
count=0
while IFS= read -r file; do
  count=$((count + 1))
  head -n 3 "$file" | grep -qF "$spdx_tag" || missing+=("$file")
done < <(spdx_files "$@")
if [ ${#missing[@]} -gt 0 ]; then
  printf '%s\n' "${missing[@]}"
  echo "check-spdx: ${#missing[@]} of $count files lack \"$spdx_tag\" near the top (scripts/add-spdx.sh adds it)" >&2
  exit 1
fi
echo "check-spdx: $count files carry the licence line"
