#!/usr/bin/env bash
# Installs without clicking (/S, and /PASSIVE once). The sample product is installed once through the
# wizard (full install, "Return to Windows", licence accepted) and once with
# /S /ACCEPTLICENSE and the same destination given by /D= with blanks and no
# quotes: the two leave the same files, links, INI values, registry values,
# autoexec.bat block and uninstall record. Then the statuses an administrator
# relies on, each with the log lines that explain it: /NORESTART with a script
# that asks for a restart (3010, no restart request), a licence without
# /ACCEPTLICENSE (4, the log in the private temporary folder), a missing
# segment with /DISKS= (2), a destination file that cannot be replaced (3) and
# an unknown switch (5, with and without the message box).
#
# install.exe's status reaches the shell through Wine as the low 8 bits of the
# Windows exit code: 3010 arrives as 194. The log names the full status.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

C="$WINEPREFIX/drive_c"
WIN="$C/windows"
dest="$prep_install_dir"  # C:\Program Files\Sample Product, the wizard's proposal
log_re='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}  '

# The prefix as it was: autoexec.bat and autoexec.zel come back at the end.
saved="$E2E_WORK/saved"
mkdir -p "$saved"
for f in autoexec.bat autoexec.zel; do [ -e "$C/$f" ] && mv "$C/$f" "$saved/$f"; done
sample_links() { find "$C" -path "$dest" -prune -o -iname 'Sample *.lnk' -print 2>/dev/null; }
remove_sample() {
  rm -rf "$dest"
  sample_links | while read -r f; do rm -f "$f"; done
  find "$C" -path "$dest" -prune -o -type d -name 'Sample Product' -print 2>/dev/null | while read -r d; do
    rmdir "$d" 2>/dev/null
  done
  find "$WIN" -maxdepth 1 -iname sample.ini -delete
  rm -f "$C/autoexec.bat" "$C/autoexec.zel"
  zel_wine reg delete 'HKCU\Software\ZEL Sample' /f >/dev/null 2>&1
}
unattended_cleanup() {
  [ -n "${locked:-}" ] && chattr -i "$locked" 2>/dev/null
  remove_sample
  rm -rf "$C/Unattended Restart" "$C/Unattended Locked"
  for f in autoexec.bat autoexec.zel; do [ -e "$saved/$f" ] && mv "$saved/$f" "$C/$f"; done
  e2e_private_tempdirs | while read -r d; do rm -rf "$d"; done
  e2e_cleanup
}
trap unattended_cleanup EXIT
remove_sample

# What an install left: the destination's files (not its log), the links with
# the paths they hold, the INI file, autoexec.bat and the registry values.
snapshot() {
  echo "== files"
  (cd "$dest" && find . -type f ! -name Setup.log -print0 | sort -z | xargs -0 md5sum)
  echo "== links"
  sample_links | sort | while read -r f; do
    echo "${f#"$C"/}: $(grep -aoE '[A-Za-z]:\\[[:print:]]+' "$f" | sort -u | tr '\n' ' ')"
  done
  echo "== sample.ini"
  find "$WIN" -maxdepth 1 -iname sample.ini -print0 | xargs -0 -r cat | tr -d '\r'
  echo "== autoexec.bat"
  tr -d '\r' <"$C/autoexec.bat"
  echo "== registry"
  zel_wine reg query 'HKCU\Software\ZEL Sample' /s 2>/dev/null | tr -d '\r' | grep -v '^$'
}

# The exit status of the last e2e_start_install run.
install_rc() { cat "$E2E_WORK/install.rc" 2>/dev/null; }
# run_install ARGS...: starts install.exe, waits for its end (no window is
# expected, so a long wait only costs time when something is wrong).
run_install() {
  rm -f "$E2E_WORK/install.rc"
  e2e_start_install "$@"
  e2e_wait_install_exit 180
}
log_has() { grep -qF -- "$2" "$1" || { echo "not in $1: $2" >&2; return 1; }; }

# ---------------------------------------------------------------------------
echo "== the sample through the wizard"
prep_package "$E2E_WORK/pkg" 200000 300000 200000
disks="$E2E_WORK/pkg/disks"
e2e_check "the package is a set of segment files" test -f "$disks/disk.002"
rm -f "$E2E_WORK/install.rc"
e2e_start_install "$(e2e_winpath "$disks")"
e2e_check "wizard walked to Install" sample_walk_wizard
e2e_check "wizard install ends" sample_finish_install 180
e2e_wait_install_exit 20
e2e_check "wizard install: status 0" test "$(install_rc)" = 0
e2e_check "wizard install writes Setup.log too" test -f "$dest/Setup.log"
snapshot >"$E2E_WORK/wizard.snap"
e2e_check "wizard install left files and links" grep -q 'hello.exe' "$E2E_WORK/wizard.snap"

# ---------------------------------------------------------------------------
echo "== the sample with /S, /D= with blanks and no quotes"
remove_sample
# Three arguments that Wine joins with blanks: /D= takes the rest of the line.
run_install /s "$(e2e_winpath "$disks")" /ACCEPTLICENSE '/D=C:\Program' 'Files\Sample' 'Product'
e2e_check "silent install: status 0" test "$(install_rc)" = 0
snapshot >"$E2E_WORK/silent.snap"
e2e_check "silent install equals the wizard install, file by file and key by key" \
  diff "$E2E_WORK/wizard.snap" "$E2E_WORK/silent.snap"
log="$dest/Setup.log"
e2e_check "the log is in the destination" test -f "$log"
e2e_check "every log line has its local time" bash -c "tr -d '\r' <'$log' | grep -Evq '$log_re' && exit 1 || exit 0"
e2e_check "log: the command line" log_has "$log" "/ACCEPTLICENSE /D=C:\\Program Files\\Sample Product"
e2e_check "log: segment with its size" grep -qE 'Segment .*disk\.002: [0-9]+ bytes' "$log"
e2e_check "log: archive with its size" grep -qE 'Archive .*: [0-9]+ bytes, expanded' "$log"
e2e_check "log: the licence" log_has "$log" "The licence is accepted (/ACCEPTLICENSE)"
e2e_check "log: folder" log_has "$log" "Folder C:\\Program Files\\Sample Product\\docs: in place"
e2e_check "log: file copied" log_has "$log" "File C:\\Program Files\\Sample Product\\hello.exe: copied"
e2e_check "log: link" grep -qE 'Link .*Sample Hello\.lnk: made' "$log"
e2e_check "log: INI value" grep -qE 'INI value .*sample\.ini \[Sample Product\] Folder=.*: written' "$log"
e2e_check "log: registry value" log_has "$log" "Registry value HKEY_CURRENT_USER\\Software\\ZEL Sample"
e2e_check "log: autoexec.bat" grep -qE 'autoexec\.bat: 1 line\(s\) added' "$log"
e2e_check "log: uninstall record" log_has "$log" "Uninstall record C:\\Program Files\\Sample Product\\uninstall.cfg: started"
e2e_check "log: registration" grep -q 'Uninstall registration' "$log"
e2e_check "log: final status" log_has "$log" "Setup ended with status 0: installed completely"
e2e_check "no private folder left" e2e_no_private_tempdir
remove_sample

# ---------------------------------------------------------------------------
echo "== /PASSIVE /NORESTART with a script that asks for a restart"
pkg="$E2E_WORK/restart"
mkdir -p "$pkg"
cp "$E2E_INSTALL" "$pkg/install.exe"
echo "read me" >"$pkg/readme.txt"
printf '[Setup - Main]\r\nHeader=Unattended Restart\r\nInstall Dir=Unattended Restart\r\nFolder=\r\nShow Re-Boot=1\r\n[Directories]\r\n1=<INSTALLDIR>~\r\n[Files]\r\n1=readme.txt~<INSTALLDIR>\r\n' \
  >"$pkg/install.cfg"
e2e_pack_folder "$pkg"
mkdir -p "$E2E_WORK/log dir"
restart_log="$E2E_WORK/log dir/restart run.log"
e2e_watch_endsession
# /PASSIVE shows the windows with their progress and asks nothing: the run
# ends without a click.
run_install /PASSIVE /NORESTART "$(e2e_winpath "$pkg")" "/LOG=$(e2e_winpath "$restart_log")"
e2e_check "/NORESTART: status 3010 (194 in 8 bits)" test "$(install_rc)" = 194
e2e_check "/NORESTART: no restart request" e2e_no_restart_requested
e2e_check "/NORESTART: installed" test -f "$C/Unattended Restart/readme.txt"
e2e_check "/LOG=: the log is where the switch says" test -f "$restart_log"
e2e_check "/LOG=: not in the destination" test ! -f "$C/Unattended Restart/Setup.log"
e2e_check "log: restart held back" log_has "$restart_log" "Restart of Windows needed; not made (/NORESTART)"
e2e_check "log: status 3010" log_has "$restart_log" "Setup ended with status 3010: installed, restart needed"

# ---------------------------------------------------------------------------
echo "== a licence without /ACCEPTLICENSE"
printf 'Licence terms\r\n\r\nYou agree.\r\n' >"$pkg/license.txt"
rm -f "$pkg"/disk.*
e2e_pack_folder "$pkg"  # packed again, with the licence
rm -rf "$C/Unattended Restart"
e2e_private_tempdirs | while read -r d; do rm -rf "$d"; done
run_install /S "$(e2e_winpath "$pkg")"
e2e_check "licence: status 4" test "$(install_rc)" = 4
e2e_check "licence: nothing installed" test ! -e "$C/Unattended Restart"
kept="$(e2e_private_tempdirs | head -1)"
e2e_check "licence: the log stays in the private temporary folder" test -f "$kept/Setup.log"
e2e_check "licence: the folder holds nothing else" test "$(find "$kept" -mindepth 1 | wc -l)" = 1
e2e_check "log: why" log_has "$kept/Setup.log" "The licence was not accepted"
e2e_check "log: status 4" log_has "$kept/Setup.log" "Setup ended with status 4: the licence was not accepted"
[ -n "$kept" ] && rm -rf "$kept"

# ---------------------------------------------------------------------------
echo "== a missing segment, segments in their own folder (/DISKS=)"
mkdir -p "$E2E_WORK/only setup" "$E2E_WORK/segments"
cp "$disks/install.exe" "$disks/install.cfg" "$E2E_WORK/only setup/"
cp "$disks"/disk.* "$E2E_WORK/segments/"
rm -f "$E2E_WORK/segments/disk.002"
seg_log="$E2E_WORK/segments.log"
run_install /S /ACCEPTLICENSE "/DISKS=$(e2e_winpath "$E2E_WORK/segments")" "/LOG=$(e2e_winpath "$seg_log")" \
  "$(e2e_winpath "$E2E_WORK/only setup")"
e2e_check "missing segment: status 2" test "$(install_rc)" = 2
e2e_check "missing segment: nothing installed" test ! -e "$dest"
e2e_check "log: segment 1 read from /DISKS=" grep -qE 'Segment .*segments\\disk\.001: [0-9]+ bytes' "$seg_log"
e2e_check "log: the missing segment named" grep -qE 'The segment .*segments\\disk\.002 is missing' "$seg_log"
e2e_check "log: status 2" log_has "$seg_log" "Setup ended with status 2: failed"
e2e_check "missing segment: no private folder left with /LOG=" e2e_no_private_tempdir

# ---------------------------------------------------------------------------
echo "== a destination file that cannot be replaced"
locked_dest="$C/Unattended Locked"
mkdir -p "$locked_dest"
echo "the user's own" >"$locked_dest/readme.txt"
locked="$locked_dest/readme.txt"
if chattr +i "$locked" 2>/dev/null; then
  run_install /S "$(e2e_winpath "$pkg")" /ACCEPTLICENSE '/D=C:\Unattended' 'Locked'
  e2e_check "locked file: status 3" test "$(install_rc)" = 3
  e2e_check "locked file: kept as it was" grep -q "the user's own" "$locked"
  e2e_check "log: the file that failed" grep -qE 'Failed: .*Unattended Locked\\readme\.txt' "$locked_dest/Setup.log"
  e2e_check "log: status 3" log_has "$locked_dest/Setup.log" "Setup ended with status 3"
  chattr -i "$locked"
else
  echo "skipped: chattr +i is refused here; the locked-file case was not run"
fi
locked=""

# ---------------------------------------------------------------------------
echo "== an unknown switch"
bad_log="$E2E_WORK/bad switch.log"
run_install /S /BOGUS "$(e2e_winpath "$pkg")" "/LOG=$(e2e_winpath "$bad_log")"
e2e_check "unknown switch, silent: status 5" test "$(install_rc)" = 5
e2e_check "log: the switch named" log_has "$bad_log" "Unknown switch: /BOGUS"
e2e_check "log: status 5" log_has "$bad_log" "Setup ended with status 5: bad command line"
rm -f "$E2E_WORK/install.rc"
e2e_start_install /Bogus
box="$(zeltest msgbox-text 60)"
e2e_check "unknown switch: the message names it" grep -qF "Unknown switch: /Bogus" <<<"$box"
e2e_check "unknown switch: the message lists the switches" \
  bash -c 'for s in /S /PASSIVE /D= /LOG= /NORESTART /LAUNCH /ACCEPTLICENSE /OVERWRITE= /DISKS=; do grep -qF -- "$s" <<<"$1" || exit 1; done' _ "$box"
zeltest msgbox-answer OK 5 >/dev/null || e2e_fail "answer the message"
e2e_wait_install_exit 30
e2e_check "unknown switch: status 5" test "$(install_rc)" = 5
e2e_finish
