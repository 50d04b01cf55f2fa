# Sourced: zel_wine PROGRAM [ARGS...] runs a Windows program under Wine and
# prints what it wrote (stdout, then stderr to stderr), without carriage
# returns. The output goes through files, never pipes: a Wine process started
# on the way (the desktop process, a service) inherits the program's handles
# and would keep the reader of a pipe waiting long after the program ended.
# Each call is bounded by ZEL_WINE_LIMIT seconds (default 150, times
# ZEL_TIMEOUT_SCALE under a CPU emulator), so that a stuck call fails with
# status 124 instead of hanging its caller.
zel_wine() {
  local out err rc
  out="$(mktemp)"
  err="$(mktemp)"
  timeout -k 5 "${ZEL_WINE_LIMIT:-$((150 * ${ZEL_TIMEOUT_SCALE:-1}))}" wine "$@" >"$out" 2>"$err" </dev/null
  rc=$?
  [ "$rc" -eq 124 ] && echo "zel_wine: gave up on: $*" >>"$err"
  tr -d '\r' <"$out"
  tr -d '\r' <"$err" >&2
  rm -f "$out" "$err"
  return "$rc"
}
