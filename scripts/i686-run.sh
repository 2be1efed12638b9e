#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in the i386 chroot, in the current folder, with the
# 32-bit test prefix; scripts/i686-tests.sh mounts what it needs first.
source "$(dirname "$0")/i686-env.sh"
in_i686 wine "$@"
