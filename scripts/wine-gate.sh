#!/usr/bin/env bash
# Wine runs 32-bit Windows programs as 32-bit x86 Linux processes. Where the
# kernel cannot start those (no IA32 support, as on some virtual machines),
# Wine either fails at once or runs under a user-mode CPU emulator, where each
# process start takes minutes and the Windows tests would run for hours.
#
# Sourced: zel_wine_usable succeeds when Wine runs natively here, or when
# ZEL_WINE_EMULATED=1 asks for it under emulation all the same.
# Run: wine-gate.sh COMMAND [ARGS...] runs the command when Wine is usable;
# otherwise it says why on stderr and exits 77, which ctest reports as a
# skipped test (never as a pass).
zel_wine_usable() {
  [ "${ZEL_WINE_EMULATED:-0}" = 1 ] && return 0
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    if grep -qsx enabled "$entry" && grep -qs '^interpreter .*qemu-i386' "$entry"; then
      return 1
    fi
  done
  wine --version >/dev/null 2>&1 </dev/null
}

zel_wine_unusable_reason() {
  echo "skipped: this machine cannot run 32-bit x86 programs natively, so Wine cannot run" \
       "here (set ZEL_WINE_EMULATED=1 to run under a CPU emulator: hours)"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if ! zel_wine_usable; then
    zel_wine_unusable_reason >&2
    exit 77
  fi
  # Under an emulator every step takes many times longer: so do the waits.
  [ "${ZEL_WINE_EMULATED:-0}" = 1 ] && export ZEL_TIMEOUT_SCALE="${ZEL_TIMEOUT_SCALE:-10}"
  exec "$@"
fi
