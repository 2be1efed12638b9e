#!/usr/bin/env bash
# A shipped exe must stay small and self-contained and start on Windows 7 SP1: at most 1 MiB, and
# importing only functions of system DLLs that the reviewed list holds.
# Usage: check_exe.sh OBJDUMP EXE IMPORT_LIST
set -euo pipefail
objdump=$1 exe=$2 list=$3
size=$(stat -c %s "$exe")
echo "$exe: $size bytes"
[ "$size" -le 1048576 ] || { echo "over 1 MiB"; exit 1; }

# Each entry of the import tables as "dll function"; an import by ordinal as "dll #ordinal".
imports=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = tolower($3); next }
  /Member-Name/ { listing = 1; next }
  /^[[:space:]]*$/ { listing = 0; next }
  listing { print dll, ($3 != "" ? $3 : "#" $2) }' | sort -u)
[ -n "$imports" ] || { echo "no imports found: objdump output not understood"; exit 1; }
echo "imports: $(echo "$imports" | wc -l) functions from $(echo "$imports" | cut -d' ' -f1 | sort -u | xargs)"

unreviewed=$(comm -23 <(echo "$imports") <(grep -v '^#' "$list" | grep . | sort -u))
if [ -n "$unreviewed" ]; then
  echo "imports not in $list (check that Windows 7 SP1 has them, then add them):"
  echo "$unreviewed"
  exit 1
fi
