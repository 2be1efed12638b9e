#!/usr/bin/env bash
# Creates a Wine prefix for running the Windows tests: no window manager stalls, no crash dialog,
# Chinese glyphs, Marlett for the title bar buttons. Usage: wine-prefix.sh DIR [DPI]
# Needs an X display (run under xvfb-run).
set -euo pipefail
prefix=$1
dpi=${2:-96}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=${WINEARCH:-win64}

if [ ! -f "$prefix/.tallyvane-ready" ]; then
  rm -rf "$prefix"
  wineboot -i >/dev/null 2>&1
  wineserver -w  # wineboot writes the defaults in the background; let it finish first
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
  touch "$prefix/.tallyvane-ready"
fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
