#!/usr/bin/env bash
# Hostile and damaged packages, one after another in one prefix: entry names
# that leave the folder or name devices, list archives that try to leave the
# scratch folder, a flipped byte in stored data, a disk 2 of another set,
# sizes that lie, a decompression bomb. Each setup ends by itself with
# "Error Expanding Files!!" and its reason (for the foreign disk after the
# retry box is cancelled), status 2 and no wizard. Nothing is created,
# changed or deleted in the Windows folder, in the temporary folders or on
# drive C: outside the setup's private folder, which is gone afterwards.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

sets="$E2E_WORK/sets"
generator="${ZEL_HOSTILE_SETS:-$e2e_root/build/native/tests/hostile/hostile_sets}"
if [ -x "$generator" ]; then
  "$generator" "$sets" >"$E2E_WORK/cases"
else
  zel_wine "$(dirname "$E2E_INSTALL")/../../tests/hostile/hostile_sets.exe" "$(e2e_winpath "$sets")" >"$E2E_WORK/cases"
fi
[ -s "$E2E_WORK/cases" ] || e2e_fail "hostile sets written"

drive_c="$WINEPREFIX/drive_c"
windows="$drive_c/windows"
sentinel_dirs=("$drive_c" "$windows")
while read -r d; do sentinel_dirs+=("$d"); done < <(e2e_temp_parents)
for d in "${sentinel_dirs[@]}"; do echo "sentinel" >"$d/zel-sentinel.txt"; done
e2e_private_tempdirs | while read -r d; do rm -rf "$d"; done
# Every file directly in those folders (name, size, time) and every file of
# drive C: whose name a package aims at.
outside() {
  local d
  for d in "${sentinel_dirs[@]}"; do
    find "$d" -maxdepth 1 -type f -printf '%p %s %T@\n'
    find "$d" -maxdepth 1 -type d ! -name 'ZEL?????' -printf '%p/\n'
  done | sort
  find "$drive_c" \( -iname 'evil*' -o -iname 'planted*' \) -print
}
before="$(outside)"
win_ini="$(sha1sum "$windows/win.ini" 2>/dev/null)"

cases=0
while read -r name _ install_fails; do
  [ "$install_fails" = 1 ] || continue
  cases=$((cases + 1))
  dir="$sets/$name"
  cp "$E2E_INSTALL" "$dir/install.exe"
  printf '[Setup - Main]\r\nHeader=Hostile %s\r\n[Directories]\r\n1=<INSTALLDIR>~\r\n[Files]\r\n1=ok.txt~<INSTALLDIR>\r\n' \
    "$name" >"$dir/install.cfg"
  rm -f "$E2E_WORK/install.rc"
  e2e_start_install "$(e2e_winpath "$dir")"
  box="" retried=0
  for _ in 1 2 3; do
    box="$(zeltest msgbox-text 120)" || break
    if grep -q "^text=Incorrect segmented mounted!" <<<"$box"; then
      retried=1
      zeltest msgbox-answer Cancel 10 >/dev/null
      continue
    fi
    zeltest msgbox-answer OK 10 >/dev/null
    break
  done
  echo "   $name: $(grep -v '^caption=\|^button=\|^text=Error Expanding\|^$' <<<"$box" | head -1)"
  e2e_check "$name: Error Expanding Files!!" grep -qx "text=Error Expanding Files!!" <<<"$box"
  case $name in
    name_*|list_*) e2e_check "$name: the reason names the entry" grep -q '^damaged or unsafe package: "' <<<"$box" ;;
    foreign_disk_2) e2e_check "$name: the wrong disk is refused first" test "$retried" = 1 ;;
  esac
  e2e_wait_install_exit 60
  e2e_check "$name: exit status 2" grep -qx 2 "$E2E_WORK/install.rc"
  e2e_check "$name: no wizard" bash -c "! wine '$E2E_ZELTEST' wait-window 'ZEL32 - Setup' 0 >/dev/null 2>&1"
  e2e_check "$name: private folder removed" e2e_no_private_tempdir
  after="$(outside)"
  e2e_check "$name: nothing outside the private folder changed" test "$after" = "$before"
  [ "$after" = "$before" ] || { diff <(echo "$before") <(echo "$after"); before="$after"; }
done <"$E2E_WORK/cases"
e2e_check "win.ini unchanged" test "$(sha1sum "$windows/win.ini" 2>/dev/null)" = "$win_ini"
e2e_check "every hostile package was run ($cases)" test "$cases" -gt 20
for d in "${sentinel_dirs[@]}"; do rm -f "$d/zel-sentinel.txt"; done
e2e_finish
