#!/usr/bin/env bash
# The product comes on three floppy disks; only disk 1 is in drive A:. The
# setup asks "Please Insert Disk #2 into Floppy Drive.", the user swaps the
# disk and presses OK, the same for disk 3; the wizard then installs the
# product: every installed file equals its source, and TempDir and the
# archive's scratch folder are empty afterwards.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 200000 300000 200000
product="$E2E_WORK/pkg/product"
e2e_check "the package needs three segment files" test -f "$E2E_WORK/pkg/disks/disk.003" -a ! -f "$E2E_WORK/pkg/disks/disk.004"
for n in 1 2 3; do mkdir -p "$E2E_WORK/disk$n"; mv "$E2E_WORK/pkg/disks/disk.00$n" "$E2E_WORK/disk$n/"; done
cp "$E2E_WORK/pkg/disks/install.exe" "$E2E_WORK/pkg/disks/install.cfg" "$E2E_WORK/disk1/"
mkdir -p "$E2E_WORK/drive"
cp "$E2E_WORK/disk1/"* "$E2E_WORK/drive/"
prep_map_drive_a "$E2E_WORK/drive"
trap 'prep_unmap_drive_a; e2e_cleanup' EXIT
rm -rf "$prep_install_dir"

e2e_start_install 'A:\'
for n in 2 3; do
  box=""
  for _ in $(seq 1 120); do
    box="$(zeltest text "ZEL - Setup" 1 2>/dev/null)" && grep -q "Please Insert Disk" <<<"$box" && break
    sleep 0.5
  done
  e2e_check "prompt for disk $n" grep -q "text=Please Insert Disk #$n into Floppy Drive.$" <<<"$box"
  rm -f "$E2E_WORK/drive/"*
  cp "$E2E_WORK/disk$n/"* "$E2E_WORK/drive/"
  zeltest click "ZEL - Setup" OK >/dev/null || e2e_fail "answer the prompt for disk $n"
  sleep 1
done

sample_walk_wizard || e2e_fail "walk through the wizard"
e2e_wait_install_exit 60
e2e_check "exit status 0" grep -qx 0 "$E2E_WORK/install.rc"
e2e_check "every installed file equals its source" prep_same_files "$product"
e2e_check "TempDir empty afterwards" prep_tempdir_empty
e2e_check "scratch folder holds nothing of the package" prep_scratch_clean
e2e_finish
