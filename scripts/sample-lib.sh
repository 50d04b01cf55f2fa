# Sourced by run-sample.sh and screenshots.sh: builds and packs the sample
# product and walks the wizard with the test driver.
# Needs: root, build (the Windows build tree), WINEPREFIX set.
sample_install_exe="$build/src/app/install.exe"
sample_zelpack="$build/tools/zelpack/zelpack.exe"
sample_zeltest="$build/tools/testdriver/zeltest.exe"
export ZEL_UNINSTALLER="$build/src/uninstaller/uninstaller.exe"

sample_check_build() {
  local f
  for f in "$sample_install_exe" "$sample_zeltest"; do
    [ -f "$f" ] || { echo "missing $f: build the Windows tree first (scripts/build.sh win32)" >&2; return 1; }
  done
}

winpath() { printf 'Z:%s' "${1//\//\\}"; }
# shellcheck source=/dev/null
. "$root/scripts/wine-lib.sh"
zeltest() { zel_wine "$sample_zeltest" "$@" 2>/dev/null; }

# The names in the "Files" section of PRODUCT/install.cfg.
sample_file_names() {
  sed -n '/^\[Files\]/,/^\[/p' "$1/install.cfg" | sed -n 's/^[^=]*=\([^~]*\)~.*/\1/p' | tr -d '\r'
}

# sample_pack WORK SEGSIZE [BANK1 BANK2]: the product in WORK/product, its
# setup package (install.exe, install.cfg, disk.001, ...) in WORK/disks.
sample_pack() {
  local work="$1" size="$2" f
  rm -rf "$work"
  mkdir -p "$work/product" "$work/disks"
  bash "$root/examples/sample/make-product.sh" "$work/product" ${3:+"$3"} ${4:+"$4"}
  if [ -f "$sample_zelpack" ]; then
    # The packed files, and only they, in one folder: one archive of the set.
    mkdir -p "$work/files"
    while read -r f; do cp "$work/product/$f" "$work/files/"; done < <(sample_file_names "$work/product")
    zel_wine "$sample_zelpack" build --segment-size "$size" "$(winpath "$work/disks")" "$(winpath "$work/files")"
  else
    # Without the packer the setup runs on an unpacked copy of the product.
    echo "note: $sample_zelpack not built; using an unpacked setup folder (no segment files)" >&2
    while read -r f; do cp "$work/product/$f" "$work/disks/"; done < <(sample_file_names "$work/product")
  fi
  cp "$sample_install_exe" "$work/product/install.cfg" "$work/disks/"
}

# The native zelpack (built by scripts/main.sh), else the Windows one under Wine.
sample_native_zelpack="$root/build/native/tools/zelpack/zelpack"

# sample_make WORK [ZELPACK MAKE OPTIONS]: the sample product in WORK/product
# and its setup disks made from its install.cfg by zelpack make in
# WORK/disks (disk1, disk2, ... for floppies).
sample_make() {
  local work="$1"
  shift
  rm -rf "$work"
  mkdir -p "$work"
  bash "$root/examples/sample/make-product.sh" "$work/product"
  if [ -x "$sample_native_zelpack" ]; then
    "$sample_native_zelpack" make "$work/product/install.cfg" "$work/disks" --setup-exe "$sample_install_exe" "$@"
  else
    zel_wine "$sample_zelpack" make "$(winpath "$work/product/install.cfg")" "$(winpath "$work/disks")" \
      --setup-exe "$(winpath "$sample_install_exe")" "$@"
  fi
}

# Drive A: of the prefix as a folder holding one disk at a time.
sample_map_drive_a() {  # sample_map_drive_a FOLDER
  local link="$WINEPREFIX/dosdevices/a:"
  sample_saved_drive_a="$(readlink "$link" 2>/dev/null || true)"
  rm -f "$link"
  ln -s "$1" "$link"
}
sample_unmap_drive_a() {
  local link="$WINEPREFIX/dosdevices/a:"
  rm -f "$link"
  [ -z "${sample_saved_drive_a:-}" ] || ln -s "$sample_saved_drive_a" "$link"
}
# sample_insert_disk DISKFOLDER DRIVEFOLDER: the disk in the drive is swapped.
sample_insert_disk() {
  find "$2" -mindepth 1 -delete
  cp "$1"/* "$2/"
}

# sample_feed_disks DISKS DRIVEFOLDER: answers the setup's "Please Insert
# Disk #n" prompts by putting DISKS/disk<n> into the drive and pressing OK,
# until every disk was asked for. Fails when a prompt does not come.
sample_feed_disks() {
  local disks="$1" drive="$2" n box count
  count="$(find "$disks" -maxdepth 1 -name 'disk[0-9]*' -type d | wc -l)"
  for n in $(seq 2 "$count"); do
    box=""
    for _ in $(seq 1 240); do
      box="$(zeltest text "ZEL - Setup" 1)" && grep -q "Please Insert Disk #$n " <<<"$box" && break
      box=""
      sleep 0.5
    done
    [ -n "$box" ] || { echo "the setup did not ask for disk $n" >&2; return 1; }
    echo "inserting disk $n"
    sample_insert_disk "$disks/disk$n" "$drive"
    zeltest click "ZEL - Setup" OK >/dev/null || return 1
  done
}

# sample_walk_wizard [HOOK]: from the wizard's current page to Install:
# chooses the full install and "Return to Windows", accepts the licence and
# presses Next; HOOK (a command) runs on every page before its button.
sample_walk_wizard() {
  local hook="${1:-}" page line choice button pressed
  zeltest wait-window "ZEL32 - Setup" 120 >/dev/null || { echo "the wizard did not appear" >&2; return 1; }
  for _ in $(seq 1 25); do
    page="$(zeltest text "ZEL32 - Setup" 1)" || return 0
    for choice in "Full" "Return to Windows"; do
      line="$(grep -E "class=Button .*visible=1 enabled=1 text=&?$choice" <<<"$page" | head -1 || true)"
      [ -n "$line" ] && zeltest click "ZEL32 - Setup" "${line##*text=}" >/dev/null
    done
    [ -n "$hook" ] && "$hook"
    pressed=0
    for button in Install Accept Next; do
      if grep -Eq "visible=1 enabled=1 text=&?$button( >)?\$" <<<"$page"; then
        zeltest click "ZEL32 - Setup" "$button" >/dev/null
        pressed=1
        break
      fi
    done
    [ "$pressed" = 1 ] || { echo "no way on from the wizard page:" >&2; echo "$page" >&2; return 1; }
    [ "$button" = Install ] && return 0
    sleep 0.7
  done
}

# sample_finish_install SECONDS: waits for the setup to end after Install. A
# sample installed before asks about each file it would overwrite; the answer
# is Yes (the same sample again). Fails when the setup is still running.
sample_finish_install() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    zeltest wait-exit install.exe 1 >/dev/null && return 0
    if zeltest msgbox-text 0 | grep -q "^text=File Already Exists"; then
      zeltest msgbox-answer Yes 2 >/dev/null
    fi
  done
  return 1
}
