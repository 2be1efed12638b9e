# Sourced by the scripts that run Windows programs: a Chinese locale (as on our users' Windows,
# and so that Wine draws Chinese glyphs), generated once into the cache.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tallyvane
export LOCPATH=$cache/locale LANG=zh_CN.UTF-8 WINEDEBUG=-all
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8"
fi
