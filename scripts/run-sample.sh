#!/usr/bin/env bash
# Runs the sample setup from examples/ under Wine (filled in as the setup grows).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
echo "install.exe: $root/build/win32/src/app/install.exe"
