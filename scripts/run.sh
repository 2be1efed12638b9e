#!/usr/bin/env bash
# The run command: installs what is missing, builds, writes a demo folder with a made-up
# Length.dat and starts an editor there under Wine ("打开" then Cancel, or confirm Length.dat, loads
# it). Without a display it runs under Xvfb, saves a screenshot, prints its path and ends.
# Usage: scripts/run.sh [tallyvane|tallyvane-lite]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-tallyvane}
scripts/install-deps.sh
for preset in native windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "$([ $preset = native ] && echo make_demo_file || echo "$program")" >/dev/null
done

demo=$PWD/demo/DATA
mkdir -p "$demo"
build/native/tools/make_demo_file "$demo/Length.dat"
exe=$(find build/windows -name "$program.exe" | head -n 1)

source scripts/wine-env.sh
export WINEPREFIX=${WINEPREFIX:-$cache/wine-run}
if [ -z "${DISPLAY:-}" ]; then
  shot=$PWD/build/$program-demo.png
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c "
    scripts/wine-prefix.sh '$WINEPREFIX' 96
    (cd '$demo' && timeout 60 wine '$PWD/$exe' >/dev/null 2>&1 &)
    sleep 6
    import -window root '$shot'
    wineserver -k"
  echo "screenshot: $shot"
else
  scripts/wine-prefix.sh "$WINEPREFIX" 96
  cd "$demo" && exec wine "$OLDPWD/$exe"
fi
