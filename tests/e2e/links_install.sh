#!/usr/bin/env bash
# A product with shortcuts, INI values, registry values and autoexec.bat
# lines, installed twice through the wizard with its default choices: the
# links lie in the Programs folder and, where offered, on the desktop and in
# the Start Menu, and point at the installed program; the INI files and
# HKEY_CURRENT_USER hold the values; autoexec.bat gains one block per install
# and autoexec.zel keeps the file as it was; uninstall.cfg lists all of it.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
# Wine's desktop process starts with the first windowed program and keeps that
# program's output open; start it here with none, so that a driver call whose
# output is read through a pipe cannot be the one that starts it.
wine "$E2E_ZELTEST" list >/dev/null 2>&1 </dev/null

drive_c="$WINEPREFIX/drive_c"
windows="$drive_c/windows"
dest="$drive_c/ZelLinksE2E"
regkey='HKCU\Software\ZelLinksE2E'

# Leaves the prefix as it was: what this scenario made goes again, and a
# start-up file that was there before comes back.
saved="$E2E_WORK/saved"
mkdir -p "$saved"
for f in autoexec.bat autoexec.zel; do [ -e "$drive_c/$f" ] && mv "$drive_c/$f" "$saved/$f"; done
made_desktop=0
[ -d "$windows/Desktop" ] || { mkdir "$windows/Desktop"; made_desktop=1; }
links_cleanup() {
  rm -rf "$dest" "$windows/Start Menu/Programs/ZelLinksE2E" "$windows/zele2e.ini"
  rm -f "$windows/Desktop/ZelE2EApp.lnk" "$windows/Desktop/ZelE2ETool.lnk" \
        "$windows/Start Menu/ZelE2EApp.lnk" "$windows/Start Menu/ZelE2ETool.lnk"
  [ "$made_desktop" = 1 ] && rmdir "$windows/Desktop" 2>/dev/null
  rm -f "$drive_c/autoexec.bat" "$drive_c/autoexec.zel"
  for f in autoexec.bat autoexec.zel; do [ -e "$saved/$f" ] && mv "$saved/$f" "$drive_c/$f"; done
  wine reg delete "$regkey" /f >/dev/null 2>&1 </dev/null
  e2e_cleanup
}
trap links_cleanup EXIT
rm -rf "$dest"
wine reg delete "$regkey" /f >/dev/null 2>&1 </dev/null

package="$E2E_WORK/package"
mkdir -p "$package"
cp "$E2E_INSTALL" "$package/install.exe"  # the setup copies itself into the destination
printf 'MZ not really a program\r\n' >"$package/app.exe"
printf 'MZ a tool\r\n' >"$package/tool.exe"
printf 'icon\r\n' >"$package/app.ico"
cat <<'CFG' | sed 's/$/\r/' >"$package/install.cfg"
[Setup - Main]
Header=Zel Links E2E
Install Dir=ZelLinksE2E
Folder=ZelLinksE2E
Show Re-Boot=0
[Directories]
Dir1=<INSTALLDIR>~
[Files]
File1=app.exe~<INSTALLDIR>
File2=tool.exe~<INSTALLDIR>
File3=app.ico~<INSTALLDIR>
[Desktop]
Link1=ZelE2EApp~<INSTALLDIR>app.exe~X~X~<INSTALLDIR>app.ico~ZelLinksE2E
Link2=ZelE2ETool~<INSTALLDIR>tool.exe~~X~<INSTALLDIR>app.ico~ZelLinksE2E
Link3=ZelE2ELost~<NOWHERE>lost.exe~X~X~lost.ico~ZelLinksE2E
[INI - Setup]
Ini1=zele2e.ini~Product~Folder~<INSTALLDIR>
Ini2=<INSTALLDIR>prod.ini~Main~Data~<INSTALLDIR>data
Reg1=Software\ZelLinksE2E~Settings\~Path~<INSTALLDIR>bin
[AUTOEXEC.BAT]
copy <INSTALLDIR>\drv.sys <ROOT>=
path <INSTALLDIR>;<installdir>\bin=
CFG
printf 'REM before\r\n' >"$drive_c/autoexec.bat"

install_once() {
  rm -f "$E2E_WORK/install.rc"
  e2e_start_install "$(e2e_winpath "$package")"
  zeltest wait-window "ZEL32 - Setup" 30 >/dev/null || { e2e_fail "wizard shown"; return; }
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null || e2e_fail "Next to the destination"
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null || e2e_fail "Next to the folders"
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null || e2e_fail "Next to the ready page"
  zeltest click "ZEL32 - Setup" "&Install" 10 >/dev/null || e2e_fail "click Install"
  e2e_wait_install_exit 60
}

# A link holds its target's path; the Windows form is searched for in it.
link_points_to() { grep -qaF 'C:\ZelLinksE2E\'"$2" "$1"; }
ini_value() { tr -d '\r' <"$1" | sed -n "/^\[$2\]/,/^\[/p" | grep -x "$3=.*" | cut -d= -f2-; }
section() { tr -d '\r' <"$dest/uninstall.cfg" | sed -n "/^\[$1\]/,/^\[/p" | grep -v '^\[' | grep -v '^$'; }

install_once
programs="$windows/Start Menu/Programs/ZelLinksE2E"
e2e_check "program installed" test -f "$dest/app.exe"
e2e_check "Programs folder link" link_points_to "$programs/ZelE2EApp.lnk" app.exe
e2e_check "second Programs folder link" link_points_to "$programs/ZelE2ETool.lnk" tool.exe
e2e_check "desktop link offered and ticked" link_points_to "$windows/Desktop/ZelE2EApp.lnk" app.exe
e2e_check "Start Menu link" link_points_to "$windows/Start Menu/ZelE2EApp.lnk" app.exe
e2e_check "Start Menu link of the tool" link_points_to "$windows/Start Menu/ZelE2ETool.lnk" tool.exe
e2e_check "no desktop link where none is offered" test ! -e "$windows/Desktop/ZelE2ETool.lnk"
e2e_check "no link for a tag without folder" test ! -e "$programs/ZelE2ELost.lnk"
e2e_check "no desktop folder without its box" test ! -e "$windows/Desktop/ZelLinksE2E"

e2e_check "INI value in the Windows folder" \
  test "$(ini_value "$windows/zele2e.ini" Product Folder)" = 'C:\ZelLinksE2E\'
e2e_check "INI value in the destination" \
  test "$(ini_value "$dest/prod.ini" Main Data)" = 'C:\ZelLinksE2E\data'
reg_out="$(zel_wine reg query "$regkey\\Settings" /v Path 2>/dev/null)"
e2e_check "registry value" grep -q 'Path.*REG_SZ.*C:\\ZelLinksE2E\\bin' <<<"$reg_out"

bat1="$(tr -d '\r' <"$drive_c/autoexec.bat")"
# The folder appears in its short (8.3) form, in the case the platform gives.
short="$(sed -n 's/^COPY\/Y \(C:\\[^ \\]*\)\\DRV\.SYS C:\\$/\1/p' <<<"$bat1")"
e2e_check "short form of the destination" grep -qE '^C:\\[A-Z0-9_~]{1,8}$' <<<"$short"
block=$'REM - Starting Zelwright Update\nCOPY/Y '"$short"$'\\DRV.SYS C:\\\nPATH '"$short;$short"$'\\BIN\nREM - End of Zelwright'
e2e_check "autoexec.bat: old lines, then the block" test "$bat1" = "REM before"$'\n'"$block"
e2e_check "autoexec.zel holds the old file" test "$(tr -d '\r' <"$drive_c/autoexec.zel")" = "REM before"
e2e_check "autoexec.bat lines end in CR LF" test "$(grep -c $'\r$' "$drive_c/autoexec.bat")" = 5

unins="$(section UNINS)"
for item in 'C:\ZelLinksE2E\app.exe' 'C:\windows\Desktop\ZelE2EApp.*' 'C:\windows\Start Menu\ZelE2EApp.*' \
            'C:\windows\Start Menu\Programs\ZelLinksE2E\ZelE2EApp.*' \
            'C:\windows\Start Menu\ZelE2ETool.*' 'C:\windows\zele2e.ini' 'C:\ZelLinksE2E\prod.ini'; do
  e2e_check "uninstall.cfg UNINS $item" grep -qixF "$item=" <<<"$unins"
done
e2e_check "uninstall.cfg: no desktop pattern of the tool" bash -c "! grep -qiF 'Desktop\\ZelE2ETool' <<<'$unins'"
e2e_check "uninstall.cfg Folders" test "$(section Folders)" = 'C:\windows\Start Menu\Programs\ZelLinksE2E='
e2e_check "uninstall.cfg Registry" test "$(section Registry)" = 'Software\ZelLinksE2E='

install_once
bat2="$(tr -d '\r' <"$drive_c/autoexec.bat")"
e2e_check "second install adds a second block" \
  test "$bat2" = "$bat1"$'\n'"$block"
e2e_check "autoexec.zel holds the once-changed file" test "$(tr -d '\r' <"$drive_c/autoexec.zel")" = "$bat1"
e2e_finish
