#!/usr/bin/env bash
# Builds the sample product's files into the folder $1 (created if needed):
# the text files and install.cfg of this folder, hello.exe compiled from
# hello.c, the generated data files, the still picture logo.bmp and the
# animated picture logo.gif, and the kit's uninstaller.exe (from
# $ZEL_UNINSTALLER, else the Windows build tree). Optional $2 $3: sizes of
# the two sound banks.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$1"
mkdir -p "$out"
cp "$here"/files/*.txt "$here/install.cfg" "$out/"
uninstaller="${ZEL_UNINSTALLER:-$here/../../build/win32/src/uninstaller/uninstaller.exe}"
[ -f "$uninstaller" ] || { echo "missing $uninstaller: build the Windows tree first" >&2; exit 1; }
cp "$uninstaller" "$out/uninstaller.exe"
i686-w64-mingw32-gcc -Os -s -mwindows -o "$out/hello.exe" "$here/hello.c"
python3 "$here/make_data.py" "$out" "${2:-1000000}" "${3:-600000}"
# Eight frames: a bar sweeping across a navy field with a white disc
# (no text, so no font is needed).
frames=()
for i in 0 1 2 3 4 5 6 7; do
  x=$((i * 12))
  frames+=( \( -size 96x64 xc:navy -fill "rgb(0,$((80 + i * 20)),255)" -draw "rectangle $x,0 $((x + 11)),63"
              -fill white -draw "circle 48,32 48,$((14 + i))" \) )
done
convert -delay 15 "${frames[@]}" -loop 0 "$out/logo.gif"
