#!/usr/bin/env bash
# The reviewed import list may hold only what Windows 7 SP1 has: every entry but msvcrt's must be
# declared by mingw-w64's headers set to Windows 7, and the loader's DLL-directory functions, which
# those headers show although only a later update brings them, must not be there at all.
# Usage: check_import_list.sh CXX IMPORT_LIST
set -euo pipefail
cxx=$1 list=$2
entries=$(grep -v '^#' "$list" | grep .)

newer=$(echo "$entries" | grep -E ' (SetDefaultDllDirectories|AddDllDirectory|RemoveDllDirectory)$' || true)
[ -z "$newer" ] || { echo "newer than Windows 7 SP1 without updates: $newer"; exit 1; }

probe=$(mktemp --suffix=.cpp)
trap 'rm -f "$probe"' EXIT
{
  echo '#include <windows.h>'
  echo '#include <excpt.h>'
  echo 'void Probe() {'
  echo "$entries" | grep -v '^msvcrt\.dll ' | awk '{print "  (void)&" $2 ";"}'
  echo '}'
} >"$probe"
"$cxx" -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE -fsyntax-only "$probe"
echo "$(echo "$entries" | wc -l) entries: all declared for Windows 7"
