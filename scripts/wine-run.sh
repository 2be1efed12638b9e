#!/usr/bin/env bash
# Runs a Windows program under Wine in the test prefix (see scripts/wine-prefix.sh).
export WINEPREFIX="${TALLYVANE_WINEPREFIX:-${WINEPREFIX:-$HOME/.wine-tallyvane}}"
export WINEDEBUG=-all
exec wine "$@"
