#!/usr/bin/env bash
# One install per Windows version the setup is made for, in one prefix that
# reports Windows 98, 2000, XP and 10 in turn (Wine's own version setting).
# Each time the setup program carries another name, the links must land in
# the folders the shell names (all users' on the NT family for an
# administrator, the user's otherwise), the destination holds the running
# program's own file as install.exe, and the restart at the end asks for the
# shutdown privilege on the NT family only. The Windows 98 run uses the test
# build of the program in which every newer call is missing, as there.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
pretend="$(cd "$(dirname "$1")/../.." && pwd)/tests/fallback/install_pretend.exe"
[ -f "$pretend" ] || { echo "FAIL: the test build $pretend is missing"; exit 1; }
wine "$E2E_ZELTEST" list >/dev/null 2>&1 </dev/null

drive_c="$WINEPREFIX/drive_c"
title="Zel Versions"
key="HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\$title"
unix_path() { local p="${1#[Cc]:}"; printf '%s%s' "$drive_c" "${p//\\//}"; }

# The prefix's own version setting comes back at the end.
saved_version="$(zel_wine reg query 'HKCU\Software\Wine' /v Version 2>/dev/null | sed -n 's/.*REG_SZ *//p')"
made_links=()
versions_cleanup() {
  if [ -n "$saved_version" ]; then
    wine reg add 'HKCU\Software\Wine' /v Version /d "$saved_version" /f >/dev/null 2>&1 </dev/null
  else
    wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 </dev/null
  fi
  rm -rf "$drive_c/ZelVersions" "${made_links[@]}"
  wine reg delete "$key" /f >/dev/null 2>&1 </dev/null
  e2e_cleanup
}
trap versions_cleanup EXIT

# Wine reads the setting when a process starts.
set_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 </dev/null; }

# install_as VERSION PROGRAM NAME [ENV...]: one full install as Windows
# VERSION, with PROGRAM copied into the package as NAME.
install_as() {
  local version=$1 program=$2 name=$3
  shift 3
  echo "== $version: the setup program named $name"
  set_version "$version"
  local system family admin
  system="$(zeltest system)"
  family="$(sed -n 's/^family=//p' <<<"$system")"
  admin="$(sed -n 's/^admin=//p' <<<"$system")"
  case $version in win98) e2e_check "$version reports the 9x family" test "$family" = 9x ;;
                   *) e2e_check "$version reports the NT family" test "$family" = nt ;; esac
  local prefix=""
  [ "$family" = nt ] && [ "$admin" = 1 ] && prefix="common-"
  local desktop startmenu programs
  desktop="$(sed -n "s/^${prefix}desktop=//p" <<<"$system")"
  startmenu="$(sed -n "s/^${prefix}startmenu=//p" <<<"$system")"
  programs="$(sed -n "s/^${prefix}programs=//p" <<<"$system")"
  e2e_check "$version: the shell names its folders" test -n "$desktop" -a -n "$startmenu" -a -n "$programs"

  local package="$E2E_WORK/package-$version"
  rm -rf "$package" "$drive_c/ZelVersions"
  mkdir -p "$package"
  printf 'MZ the versions app\r\n' >"$package/app.exe"
  printf 'MZ the uninstaller\r\n' >"$package/uninstaller.exe"
  cp "$e2e_root/tests/prep/data/three_frames.gif" "$package/logo.gif"
  cat <<CFG | sed 's/$/\r/' >"$package/install.cfg"
[Setup - Main]
Header=$title
Install Dir=ZelVersions
Folder=ZelVersions
Show Re-Boot=1
BitmapFile=logo.gif
[Directories]
1=<INSTALLDIR>~
[Files]
1=app.exe~<INSTALLDIR>
2=uninstaller.exe~<INSTALLDIR>
3=logo.gif~<INSTALLDIR>
[Desktop]
1=ZelVersionsApp~<INSTALLDIR>app.exe~X~X~<INSTALLDIR>app.exe~ZelVersions
CFG
  e2e_pack_folder "$package"
  cp "$program" "$package/$name"

  rm -f "$E2E_WORK/install.rc"
  local trace="$E2E_WORK/trace-$version.txt"
  e2e_watch_endsession
  ( env "$@" WINEDEBUG=trace+advapi wine "$package/$name" "$(e2e_winpath "$package")" \
      >/dev/null 2>"$trace" </dev/null; echo $? >"$E2E_WORK/install.rc" ) &
  E2E_PIDS+=($!)
  zeltest wait-window "ZEL32 - Setup" 120 >/dev/null || { e2e_fail "$version: wizard shown"; return; }
  zeltest click "ZEL32 - Setup" "&Next" 30 >/dev/null || e2e_fail "$version: Next to the destination"
  zeltest click "ZEL32 - Setup" "&Next" 30 >/dev/null || e2e_fail "$version: Next to the folders"
  zeltest click "ZEL32 - Setup" "&Next" 30 >/dev/null || e2e_fail "$version: Next to the ready page"
  zeltest click "ZEL32 - Setup" "&Install" 30 >/dev/null || e2e_fail "$version: Install"
  zeltest wait-exit "$name" 180 >/dev/null || e2e_fail "$version: $name did not end"

  local dest="$drive_c/ZelVersions"
  e2e_check "$version: product installed" test -f "$dest/app.exe"
  e2e_check "$version: the running program's own file is the destination's install.exe" cmp -s "$program" "$dest/install.exe"
  e2e_check "$version: install.cfg beside it" test -f "$dest/install.cfg"
  e2e_check "$version: no copy under the program's own name" test ! -e "$dest/$name" -o "$name" = install.exe
  local d s p
  d="$(unix_path "$desktop")" s="$(unix_path "$startmenu")" p="$(unix_path "$programs")"
  made_links+=("$d/ZelVersionsApp.lnk" "$s/ZelVersionsApp.lnk" "$p/ZelVersions")
  e2e_check "$version: desktop link in the shell's desktop ($desktop)" test -f "$d/ZelVersionsApp.lnk"
  e2e_check "$version: Start Menu link in the shell's Start Menu" test -f "$s/ZelVersionsApp.lnk"
  e2e_check "$version: program folder link in the shell's Programs folder" test -f "$p/ZelVersions/ZelVersionsApp.lnk"
  local record
  record="$(tr -d '\r' <"$dest/uninstall.cfg")"
  e2e_check "$version: uninstall.cfg names the Programs folder the links went to" \
    grep -qixF "$programs\\ZelVersions=" <<<"$record"
  e2e_check "$version: uninstall.cfg names the desktop link" grep -qixF "$desktop\\ZelVersionsApp.*=" <<<"$record"
  e2e_check "$version: registered for removal" \
    bash -c ". '$e2e_root/scripts/wine-lib.sh'; zel_wine reg query '$key' /v UninstallString 2>/dev/null | grep -qF 'uninstaller.exe'"
  e2e_check "$version: restart requested" e2e_restart_requested
  if [ "$family" = nt ]; then
    e2e_check "$version: shutdown privilege asked for" grep -q "SeShutdownPrivilege" "$trace"
  else
    e2e_check "$version: no privilege step on the 9x family" bash -c "! grep -q SeShutdownPrivilege '$trace'"
  fi
  wine reg delete "$key" /f >/dev/null 2>&1 </dev/null
}

install_as win98 "$pretend" SETUP.EXE ZEL_PRETEND_MISSING='*'
install_as win2k "$E2E_INSTALL" product-setup.exe
install_as winxp "$E2E_INSTALL" install.exe
install_as win10 "$E2E_INSTALL" Setup.exe
e2e_finish
