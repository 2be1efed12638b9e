#!/usr/bin/env bash
# Makes, once, what running the 32-bit Windows programs needs on a machine that cannot execute
# 32-bit code: user-mode emulation (qemu-user-static from bookworm-backports; bookworm's own 7.2
# crashes in Wine's prefix set-up) registered for i386 programs, an i386 Debian chroot with 32-bit
# Wine and the host's native 64-bit wineserver, and a 32-bit test prefix in it made like the
# 64-bit one. Idempotent: each step is skipped when its result is already there, so later runs
# reuse the chroot kept in the cache; scripts/i686-env.sh names the paths.
# Usage: scripts/i686-setup.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/i686-env.sh

[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"  # the chroot and its mounts need root
apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null
}

# The Debian mirror this machine already uses (deb822 sources first, then sources.list); either
# kind of file may be missing.
mirror() {
  local files=() file
  for file in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
    if [ -f "$file" ]; then files+=("$file"); fi
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk '/^URIs:/ { url = $2 }
       /^deb / { url = $2 ~ /^\[/ ? $3 : $2 }
       url != "" && url !~ /-security/ { print url; exit }
       { url = "" }' "${files[@]}"
}

# 1. qemu-user-static from backports.
if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || echo 0)" ge 1:10; then
  source_file=/etc/apt/sources.list.d/tallyvane-backports.sources
  if [ ! -f "$source_file" ]; then
    url=$(mirror)
    [ -n "$url" ] || { echo "no Debian mirror found in this machine's apt sources"; exit 1; }
    printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: %s\n' \
      "$url" /usr/share/keyrings/debian-archive-keyring.gpg | tee "$source_file" >/dev/null
  fi
  apt-get update -qq
  apt_install -t bookworm-backports qemu-user-static
fi
command -v debootstrap >/dev/null || apt_install debootstrap

# 2. i386 programs run through qemu; F keeps the interpreter open, so it works inside the chroot.
if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
if [ ! -e "/proc/sys/fs/binfmt_misc/$binfmt_name" ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":$binfmt_name:M::$magic:$mask:/usr/bin/qemu-i386-static:OPF" |
    tee /proc/sys/fs/binfmt_misc/register >/dev/null
fi

# 3. The chroot: 32-bit Wine, the host's wineserver64 (the same Wine build) with the 64-bit C
# library it needs, Marlett and the Chinese font, chattr for the tests' immutable files, a zh_CN locale.
if [ ! -f "$root/.tallyvane-ready" ]; then
  i686_unmount  # never remove a chroot with anything mounted in it
  rm -rf "$root"
  mkdir -p "$(dirname "$root")"
  debootstrap --arch=i386 --variant=minbase bookworm "$root" "$(mirror)" >/dev/null
  i686_mount
  trap i686_unmount EXIT
  in_root() { chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive "$@"; }
  in_root dpkg --add-architecture amd64
  in_root apt-get update -qq
  in_root apt-get install -y -qq --no-install-recommends wine wine32 libc6:amd64 \
    fonts-wine fonts-wqy-microhei e2fsprogs locales >/dev/null
  cp /usr/lib/wine/wineserver64 "$root/usr/lib/wine/wineserver64"
  in_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
  touch "$root/.tallyvane-ready"
fi
