#!/usr/bin/env bash
# All segment files lie in one folder (a hard disk or CD copy): the setup
# never asks for a disk, shows its animated picture on the background and
# reaches the wizard, which installs the product. Files planted in the
# temporary folders under the product's file names (one of them held open by
# another program) are neither installed nor touched: the setup expands into
# a new folder of its own.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 200000 300000 200000
product="$E2E_WORK/pkg/product"
e2e_check "the package is a set of segment files" test -f "$E2E_WORK/pkg/disks/disk.002"
rm -rf "$prep_install_dir"
planted_dirs=("$WINEPREFIX/drive_c/windows/temp/q")
while read -r d; do planted_dirs+=("$d"); done < <(e2e_temp_parents)
mkdir -p "${planted_dirs[@]}"
while read -r f; do
  for d in "${planted_dirs[@]}"; do echo "planted $f" >"$d/$f"; done
done < <(sample_file_names "$product")
held="$(sample_file_names "$product" | head -1)"
[ ${#planted_dirs[@]} -gt 1 ] || e2e_fail "no system temporary folder in the prefix"
( wine "$E2E_ZELTEST" hold-open "$(e2e_winpath "${planted_dirs[1]}/$held")" 150 >/dev/null 2>&1 </dev/null ) &
E2E_PIDS+=($!)
planted_intact() {
  local d f
  while read -r f; do
    for d in "${planted_dirs[@]}"; do
      [ "$d/$f" = "${planted_dirs[1]}/$held" ] && continue  # locked: not even readable
      grep -qx "planted $f" "$d/$f" || { echo "changed: $d/$f"; return 1; }
    done
  done < <(sample_file_names "$product")
}

e2e_start_install "$(e2e_winpath "$E2E_WORK/pkg/disks")"
e2e_check "preparation window shown" zeltest wait-window "Preparing ZEL Setup" 20
prompts=0
for _ in $(seq 1 100); do
  if zeltest msgbox-text 0 2>/dev/null | grep -q "Please Insert Disk"; then prompts=1; break; fi
  zeltest wait-window "ZEL32 - Setup" 0 >/dev/null 2>&1 && break
  sleep 0.2
done
e2e_check "no disk prompt" test "$prompts" = 0
background="$(zeltest text "ZEL 32Bit Installer")"
e2e_check "picture panel shown on the background" grep -q "class=ZELPicturePanel id=114 visible=1" <<<"$background"
e2e_check "animation player shown" grep -q "class=ZELPictureView id=1 visible=1" <<<"$background"
sample_walk_wizard || e2e_fail "walk through the wizard"
e2e_wait_install_exit 60
e2e_check "every installed file equals its source, none the planted one" prep_same_files "$product"
e2e_check "the planted files are untouched" planted_intact
e2e_check "TempDir empty afterwards" prep_tempdir_empty
e2e_check "scratch folder holds nothing of the package" prep_scratch_clean
for d in "${planted_dirs[@]}"; do
  while read -r f; do rm -f "$d/$f"; done < <(sample_file_names "$product")
done
e2e_finish
