#!/usr/bin/env bash
# The main job: installs what is needed, builds install.exe (Windows tree) and
# the native zelpack, makes the sample's setup disks with zelpack make and
# installs the sample from them under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" win32
ZEL_TARGETS=zelpack "$root/scripts/build.sh" native
# shellcheck source=/dev/null
. "$root/scripts/wine-gate.sh"
if ! zel_wine_usable; then
  echo "main.sh: the programs are built, but the sample cannot be installed here:" >&2
  zel_wine_unusable_reason >&2
  exit 1
fi
exec "$root/scripts/run-sample.sh"
