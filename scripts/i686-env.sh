# Sourced by the scripts that run the 32-bit Windows programs: where the i386 chroot and its Wine
# prefixes live (in the cache the Wine scripts use, so that later runs reuse them), and the mounts
# that Wine needs inside it. Only these are mounted, never recursively: a recursive bind of /dev
# would take the host's /dev with it when the chroot is removed.
root=${XDG_CACHE_HOME:-$HOME/.cache}/tallyvane/i386-root
binfmt_name=tallyvane-i386
# Paths inside the chroot.
i686_pristine_prefix=/opt/tallyvane/wine32-pristine
i686_prefix=/opt/tallyvane/wine32-test
# Host folders seen at the same path inside: devices, shared memory, /tmp (Xvfb's socket and
# authority file) and the source tree (the build and the tests' files).
i686_binds=(/dev /dev/shm /tmp "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)")

i686_mount() {
  mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
  local dir
  for dir in "${i686_binds[@]}"; do
    mkdir -p "$root$dir"
    mountpoint -q "$root$dir" || mount --bind "$dir" "$root$dir"
  done
}

i686_mounts() { awk -v root="$root" 'index($2, root "/") == 1 { print $2 }' /proc/mounts; }

# Deepest first; lazily, so that a process still ending does not keep a mount behind. Fails if
# anything is still mounted after.
i686_unmount() {
  i686_mounts | sort -r | while read -r dir; do umount -l "$dir"; done
  [ -z "$(i686_mounts)" ]
}

# Runs a command inside the chroot in the current folder, with the 32-bit test prefix.
in_i686() {
  chroot "$root" /usr/bin/env -u LOCPATH -C "$PWD" LANG=zh_CN.UTF-8 WINEDEBUG=-all \
    WINEARCH=win32 WINEPREFIX="${TALLYVANE_I686_PREFIX:-$i686_prefix}" "$@"
}
