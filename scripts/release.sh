#!/usr/bin/env bash
# Builds the downloadable release: dist/tallyvane-VERSION.zip holding both programs for 64-bit and
# 32-bit Windows, README.txt (release/使用说明.txt) and SHA256SUMS. The same source gives the same
# bytes. Every name in the zip is ASCII: Windows' own compressed folders read names in the DOS
# code page (CP936 on Chinese Windows), and would garble anything else.
# Usage: scripts/release.sh [--check]   (--check builds twice from scratch and compares, and
# checks the names)
set -euo pipefail
cd "$(dirname "$0")/.."
version=1.01
scripts/install-deps.sh

build() {  # build into dist/tallyvane-VERSION and zip it
  local presets=(release-windows release-windows-i686) arches=(x86_64 i686)
  local stage=dist/tallyvane-$version
  rm -rf dist build/release-windows build/release-windows-i686
  mkdir -p "$stage"
  for i in 0 1; do
    cmake --preset "${presets[$i]}" >/dev/null
    cmake --build --preset "${presets[$i]}" >/dev/null
    mkdir -p "$stage/${arches[$i]}"
    for program in tallyvane tallyvane-lite; do
      exe=$(find "build/${presets[$i]}" -name "$program.exe")
      size=$(stat -c %s "$exe")
      [ "$size" -le 1048576 ] || { echo "$exe is $size bytes, over 1 MiB"; exit 1; }
      cp "$exe" "$stage/${arches[$i]}/"
    done
  done
  # Windows Notepad wants a byte order mark and CRLF line ends.
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' release/使用说明.txt; } >"$stage/README.txt"
  (cd "$stage" && find . -type f ! -name SHA256SUMS | LC_ALL=C sort | sed 's|^\./||' |
    xargs -d '\n' sha256sum >SHA256SUMS)
  # Fixed times and order in the archive.
  find "$stage" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
  (cd dist && find "tallyvane-$version" | LC_ALL=C sort | TZ=UTC zip -X -q -D "tallyvane-$version.zip" -@)
}

build
first=$(sha256sum "dist/tallyvane-$version.zip" | cut -d' ' -f1)
if [ "${1:-}" = --check ]; then
  cp "dist/tallyvane-$version.zip" /tmp/tallyvane-first.zip
  build
  second=$(sha256sum "dist/tallyvane-$version.zip" | cut -d' ' -f1)
  [ "$first" = "$second" ] || { echo "two builds differ: $first vs $second"; exit 1; }
  echo "reproducible: two builds give $first"
  names=$(zip -sf "dist/tallyvane-$version.zip" | sed '1d;$d')
  if echo "$names" | LC_ALL=C grep -n '[^ -~]'; then echo "names in the zip that are not ASCII"; exit 1; fi
  echo "all $(echo "$names" | wc -l) names in the zip are ASCII"
fi
ls -l "dist/tallyvane-$version.zip" "dist/tallyvane-$version"/*/*.exe
cat "dist/tallyvane-$version/SHA256SUMS"
