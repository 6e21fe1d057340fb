# Sourced by check-spdx.sh and add-spdx.sh: the project's source files (tracked by git) under the
# given folders, default src tools tests bench fuzz scripts dist and the top CMakeLists.txt, one a line; and the comment form each takes.
spdx_tag='SPDX-License-Identifier: GPL-3.0-or-later'

spdx_files() {
  local roots=("$@")
  [ ${#roots[@]} -gt 0 ] || roots=(src tools tests bench fuzz scripts dist CMakeLists.txt)
  git ls-files -- "${roots[@]}" | grep -E '(\.(cpp|h|c|hpp|cmake|py|sh)|/CMakeLists\.txt)$|^CMakeLists\.txt$' |
    grep -vE '^(tests/data|fuzz/corpus)/' || true
}

# "//" for C++, "#" for CMake, Python and shell.
spdx_comment() {
  case $1 in
    *.cpp | *.h | *.c | *.hpp) echo '//' ;;
    *) echo '#' ;;
  esac
}
