#!/usr/bin/env bash
# Builds the three trees: native (clang), sanitizers + fuzzers (clang), Windows (mingw).
# Usage: scripts/build.sh [native|asan|win32]...   (all three when none is named)
# ZEL_TARGETS: build only these targets (for example "zelpack"), not everything.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native asan win32)
for tree in "${trees[@]}"; do
  case "$tree" in
    native) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release) ;;
    asan) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
                -DZEL_SANITIZE=ON -DZEL_FUZZ=ON) ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
    *) echo "unknown tree: $tree" >&2; exit 2 ;;
  esac
  cmake -S "$root" -B "$root/build/$tree" "${args[@]}" >/dev/null
  targets=()
  for t in ${ZEL_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$root/build/$tree" -j "$jobs" "${targets[@]}" 2>&1 | grep -E "error:|warning:" || true
  cmake --build "$root/build/$tree" -j "$jobs" "${targets[@]}" >/dev/null
done
