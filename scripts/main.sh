#!/usr/bin/env bash
# The main job: installs what is needed, builds, and runs the sample setup under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" win32
exec "$root/scripts/run-sample.sh"
