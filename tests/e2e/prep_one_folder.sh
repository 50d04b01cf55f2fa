#!/usr/bin/env bash
# All segment files lie in one folder (a hard disk or CD copy): the setup
# never asks for a disk, shows its animated picture on the background and
# reaches the wizard, which installs the product.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 200000 300000 200000
product="$E2E_WORK/pkg/product"
e2e_check "the package is a set of segment files" test -f "$E2E_WORK/pkg/disks/disk.002"
rm -rf "$prep_install_dir"

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
e2e_check "every installed file equals its source" prep_same_files "$product"
e2e_check "TempDir empty afterwards" prep_tempdir_empty
e2e_check "scratch folder holds nothing of the package" prep_scratch_clean
e2e_finish
