#!/usr/bin/env bash
# zelpack make stops on a fault of the install script with
# "install.cfg:LINE: error: ..." and exit status 1, and writes nothing; a
# warning ("install.cfg:LINE: warning: ...") lets it go on. Also: the options
# it refuses, a missing setup program or mtools, and native paths in messages.
. "$(dirname "$0")/lib.sh"
make_product "$WORK/product"
setup="$WORK/setup/install.exe"
good=$(cat "$WORK/product/install.cfg")

# case NAME STATUS EXPECTED-LINE-TEXT SED-EXPRESSION: the script changed by
# the sed expression makes zelpack exit with STATUS and print the line.
case_of() {
  local name=$1 status=$2 expected=$3 edit=$4 rc=0
  sed "$edit" <<<"$good" >"$WORK/product/install.cfg"
  rm -rf "$WORK/out"
  (cd "$WORK/product" && "$ZELPACK" make install.cfg "$WORK/out" --setup-exe "$setup") \
    >"$WORK/stdout" 2>"$WORK/stderr" || rc=$?
  check "$name: exit status $status" test "$rc" = "$status"
  check "$name: \"$expected\"" grep -qF -- "$expected" "$WORK/stderr"
  if [ "$status" = 1 ]; then
    check "$name: nothing written" test ! -e "$WORK/out"
  else
    check "$name: the disks are written" test -f "$WORK/out/disk1/disk.001"
  fi
}

case_of "file not in the product folder" 1 'install.cfg:9: error: "missing.bin" is not in the product folder' \
  's/^F1=data.bin/F1=missing.bin/'
case_of "no <INSTALLDIR>" 1 'install.cfg:4: error: no "<INSTALLDIR>" directory' \
  's/^Main=<INSTALLDIR>~/Main=<WINDOWS>~/; s/~<INSTALLDIR>$/~<WINDOWS>/; s/^Launch=.*//; s/<SUBDOCS><INSTALLDIR>/<SUBDOCS><WINDOWS>/g'
case_of "unknown directory tag" 1 'install.cfg:7: error: unknown directory tag "<HOME>"' \
  's/^\[Files\]/Home=<HOME>~x\n[Files]/'
case_of "malformed directory tag" 1 'install.cfg:7: error: malformed directory tag "<SUBX><FOO>"' \
  's/^\[Files\]/X=<SUBX><FOO>~x\n[Files]/'
case_of "Desktop line of four fields" 1 'install.cfg:13: error: a "Desktop" entry has 4 fields; it needs six' \
  's/^\[AUTOEXEC.BAT\]/[Desktop]\nS=Prog~<INSTALLDIR>prog.exe~X~X\n[AUTOEXEC.BAT]/'
case_of "value over the loader's limit" 1 'install.cfg:2: error: the value is 1100 characters long' \
  "s/^Install Dir=.*/Install Dir=$(printf 'x%.0s' $(seq 1 1100))/"
case_of "Launch program not among the files" 1 'install.cfg:3: error: the "Launch" program "other.exe" is not among the files' \
  's/^Launch=.*/Launch=<INSTALLDIR>other.exe/'
cp "$WORK/product/docs/readme.txt" "$WORK/product/readme.txt"
case_of "two files of one name" 1 'install.cfg:11: error: two files named "readme.txt"' \
  's/^F3=empty.ini.*/F3=readme.txt~<INSTALLDIR>/'
rm "$WORK/product/readme.txt"
case_of "unsafe file name" 1 'install.cfg:8: error: the file name "../prog.exe" has a' 's|^F0=prog.exe|F0=../prog.exe|'
case_of "file named twice for one folder" 0 'install.cfg:11: warning: "prog.exe" is named twice for <INSTALLDIR> (first on line 8)' \
  's/^F3=empty.ini/F3=prog.exe/'
case_of "unknown key" 0 'install.cfg:2: warning: unknown key "Instal Dir" in [Setup - Main] (did you mean "Install Dir"?)' \
  's/^Install Dir=/Instal Dir=/'
case_of "second value for a key" 0 'install.cfg:4: warning: a second value for "Install Dir" (the first is on line 2)' \
  's/^\[Directories\]/Install Dir=Other\n[Directories]/'
rm "$WORK/product/license.txt"
case_of "licence the script refers to, missing" 0 'install.cfg:13: warning: the script refers to "license.txt"' \
  's/^\[AUTOEXEC.BAT\]/[INI - Setup]\nI=app.ini~Docs~Licence~<INSTALLDIR>license.txt\n[AUTOEXEC.BAT]/'
printf 'Terms\r\n' >"$WORK/product/license.txt"
printf '%s\n' "$good" >"$WORK/product/install.cfg"
check "messages of the native build write paths with /" grep -q "is not in the product folder $WORK/product\$" \
  <(sed 's/^F1=data.bin/F1=missing.bin/' <<<"$good" >"$WORK/product/install.cfg";
    "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --setup-exe "$setup" 2>&1)
printf '%s\n' "$good" >"$WORK/product/install.cfg"

rm -rf "$WORK/out"
rc=0; "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --key 7 >/dev/null 2>"$WORK/stderr" || rc=$?
check "make refuses --key (exit status 2)" test "$rc" = 2
check "make says why it refuses --key" grep -q "install.exe expands without a key" "$WORK/stderr"
rc=0; "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --media folder --images >/dev/null 2>&1 || rc=$?
check "--images on a folder is a usage error" test "$rc" = 2
rc=0; "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --media zip >/dev/null 2>"$WORK/stderr" || rc=$?
check "an unknown medium is a usage error naming the media" grep -q '"zip" (1.44M, 720K, 1.2M, 2.88M, cd, folder)' "$WORK/stderr"
rc=0; "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --setup-exe "$WORK/none.exe" >/dev/null 2>"$WORK/stderr" || rc=$?
check "a missing --setup-exe fails clearly" grep -q -- "--setup-exe: $WORK/none.exe: no such file" "$WORK/stderr"
check "  ... and writes nothing" test ! -e "$WORK/out"
mkdir -p "$WORK/lonely"
cp "$ZELPACK" "$WORK/lonely/zelpack"
rc=0; "$WORK/lonely/zelpack" make "$WORK/product/install.cfg" "$WORK/out" >/dev/null 2>"$WORK/stderr" || rc=$?
check "without a built install.exe: exit status 1" test "$rc" = 1
check "without a built install.exe: the message says what to do" grep -q "install.exe not found; build the Windows tree" "$WORK/stderr"
cp "$setup" "$WORK/lonely/install.exe"
rm -rf "$WORK/out"
rc=0; "$WORK/lonely/zelpack" make "$WORK/product/install.cfg" "$WORK/out" >/dev/null 2>"$WORK/stderr" || rc=$?
check "an install.exe beside zelpack is taken without --setup-exe" cmp -s "$WORK/out/disk1/install.exe" "$setup"
rm -rf "$WORK/out"
mkdir -p "$WORK/nomtools"
rc=0; PATH="$WORK/nomtools" "$ZELPACK" make "$WORK/product/install.cfg" "$WORK/out" --setup-exe "$setup" --images \
  >/dev/null 2>"$WORK/stderr" || rc=$?
check "--images without mtools: exit status 1" test "$rc" = 1
check "--images without mtools: the message says how to get it" grep -q "apt-get install mtools" "$WORK/stderr"
check "--images without mtools: nothing written" test ! -e "$WORK/out"
finish
