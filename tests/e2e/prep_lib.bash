# Sourced by the prep_ scenarios after e2e_init: the sample product, its setup
# package and the wizard walk come from scripts/sample-lib.sh.
root="$e2e_root"
build="$(cd "$(dirname "$E2E_INSTALL")/../.." && pwd)"
# shellcheck source=/dev/null
. "$e2e_root/scripts/sample-lib.sh"
# sample-lib.sh's driver call drops the driver's errors; lib.sh's reports them.
zeltest() { zel_wine "$E2E_ZELTEST" "$@" 2>&1; }

prep_install_dir="$WINEPREFIX/drive_c/Program Files/Sample Product"

# prep_package WORK SEGSIZE BANK1 BANK2: the product in WORK/product and its
# setup package in WORK/disks (segment files when the packer is built).
prep_package() { sample_pack "$@" >"$E2E_WORK/pack.log" 2>&1 || { cat "$E2E_WORK/pack.log"; e2e_fail "sample product packed"; }; }
prep_has_segments() { [ -f "$1/disk.001" ]; }

# prep_map_drive_a FOLDER: drive A: of the prefix shows FOLDER.
prep_map_drive_a() {
  rm -f "$WINEPREFIX/dosdevices/a:"
  ln -s "$1" "$WINEPREFIX/dosdevices/a:"
}
prep_unmap_drive_a() { rm -f "$WINEPREFIX/dosdevices/a:"; }

# Nothing of the package is left: TempDir, with the archive's scratch folder
# inside it, is gone, and no scratch file lies in the temporary folders.
prep_scratch_clean() {
  local d
  e2e_no_private_tempdir || return 1
  while read -r d; do
    [ -z "$(find "$d" -maxdepth 1 -type f \( -name 'disk.*' -o -name '*.$A$' -o -name '*.$L$' \))" ] || return 1
  done < <(e2e_temp_parents)
}
prep_tempdir_empty() { e2e_no_private_tempdir; }

# prep_same_files PRODUCT: every product file is byte-identical in the
# install folder or its docs or data sub-folder.
prep_same_files() {
  local f found d
  while read -r f; do
    found=0
    for d in "$prep_install_dir" "$prep_install_dir/docs" "$prep_install_dir/data"; do
      cmp -s "$1/$f" "$d/$f" && found=1
    done
    [ "$found" = 1 ] || { echo "not installed or different: $f"; return 1; }
  done < <(sample_file_names "$1")
}

# Succeeds when the wizard does not appear within 3 seconds.
prep_no_wizard() { ! zeltest wait-window "ZEL32 - Setup" 3 >/dev/null 2>&1; }
