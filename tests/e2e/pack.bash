# Sourced by the scenarios: turns a setup folder written by a test (install.exe,
# install.cfg and the product's files side by side) into a real setup package
# by packing the product's files into segment files beside them.
#   e2e_pack_folder <folder>   (does nothing when the folder already holds disk.001)
# shellcheck source=/dev/null
. "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/wine-lib.sh"
e2e_pack_folder() {
  local dir=$1 root zelpack files out
  [ -d "$dir" ] && [ ! -f "$dir/disk.001" ] || return 0
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  zelpack=${ZEL_ZELPACK:-$root/build/native/tools/zelpack/zelpack}
  files=$(mktemp -d "${TMPDIR:-/tmp}/zel-pack.XXXXXX")
  out=$(mktemp -d "${TMPDIR:-/tmp}/zel-pack-out.XXXXXX")
  find "$dir" -maxdepth 1 -type f ! -iname install.exe ! -iname install.cfg -exec cp {} "$files/" \;
  if [ -x "$zelpack" ]; then
    (cd "$out" && "$zelpack" build . "$files" >/dev/null </dev/null)
  else
    zel_wine "$root/build/win32/tools/zelpack/zelpack.exe" build "Z:$(echo "$out" | tr / '\\')" \
      "Z:$(echo "$files" | tr / '\\')" >/dev/null
  fi
  cp "$out"/disk.* "$dir/"
  rm -rf "$files" "$out"
}

# The folder behind a "Z:\..." argument, or the argument itself.
e2e_host_folder() {
  case $1 in
    [Zz]:*) echo "${1:2}" | tr '\\' / ;;
    *) echo "$1" ;;
  esac
}

# Wine starts its desktop process with the first program that opens a window
# and hands it that program's output. Started here once with its output
# detached, it never holds open the pipe of a driver command whose output a
# scenario reads.
e2e_start_desktop() {  # e2e_start_desktop <zeltest.exe>
  wine "$1" list >/dev/null 2>&1 </dev/null || true
}
