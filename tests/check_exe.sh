#!/usr/bin/env bash
# A shipped exe must stay small and self-contained: at most 1 MiB, importing system DLLs only.
# Usage: check_exe.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
size=$(stat -c %s "$exe")
echo "$exe: $size bytes"
[ "$size" -le 1048576 ] || { echo "over 1 MiB"; exit 1; }
system='^(kernel32|user32|gdi32|comdlg32|msvcrt|advapi32|shell32|ole32|comctl32)\.dll$'
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
echo "imports: $(echo $imports)"
[ -n "$imports" ] || { echo "no imports found: objdump output not understood"; exit 1; }
while read -r dll; do
  echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system" || { echo "non-system DLL: $dll"; exit 1; }
done <<<"$imports"
