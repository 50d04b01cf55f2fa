#!/usr/bin/env bash
# zelpack build names an archive after the last name of its folder however
# the folder is written; it does not follow links to folders (a folder that
# holds a link to itself ends); it warns about files of one name in
# different folders and about sets locked with --key.
. "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/product/sub"
echo a >"$WORK/product/a.txt"
echo b >"$WORK/product/sub/b.txt"

# template DIR FOLDER: builds FOLDER from DIR and prints the stored template.
template() {
  rm -rf "$WORK/set"
  (cd "$1" && "$ZELPACK" build "$WORK/set" "$2" >/dev/null 2>&1) || { echo "build failed"; return; }
  "$ZELPACK" list "$WORK/set" | sed -n 's/^archive 0: \(.*\) (.*/\1/p'
}
for spec in "$WORK|$WORK/product" "$WORK|$WORK/product/" "$WORK|product" "$WORK|./product//" \
            "$WORK/product|." "$WORK/product/sub|.." "$WORK/product/sub|../sub/.." "/|$WORK/product"; do
  dir=${spec%%|*} folder=${spec#*|}
  check "build $folder (from $dir) stores the template product\\*.*" test "$(template "$dir" "$folder")" = 'product\*.*'
done

ln -s . "$WORK/product/self"
ln -s .. "$WORK/product/sub/up"
rc=0
timeout 60 "$ZELPACK" build "$WORK/set2" "$WORK/product" >/dev/null 2>"$WORK/stderr" || rc=$?
check "build over a self-linking folder ends (exit status $rc)" test "$rc" = 0
check "  ... and says which links it did not follow" \
  test "$(grep -c "skipped, a link to a folder is not followed" "$WORK/stderr")" = 2
check "  ... and packs each file once" test "$("$ZELPACK" list "$WORK/set2" | grep -c '^  ')" = 2
rm "$WORK/product/self" "$WORK/product/sub/up"

echo other >"$WORK/product/sub/a.txt"
"$ZELPACK" build "$WORK/set3" "$WORK/product" >/dev/null 2>"$WORK/stderr"
check "build warns about files of one name in different folders" \
  grep -q "warning: .*files of one name in different folders: \"a.txt\", \"sub\\\\a.txt\"" "$WORK/stderr"
"$ZELPACK" build --key 9 "$WORK/set4" "$WORK/product" >/dev/null 2>"$WORK/stderr"
check "build --key warns that the set is for zelpack only" grep -q "for zelpack only" "$WORK/stderr"
check "--help says so too" grep -q "a locked set is for zelpack only" <("$ZELPACK" --help)
rc=0; "$ZELPACK" build "$WORK/set5" "$WORK/nothere" >/dev/null 2>"$WORK/stderr" || rc=$?
check "a missing folder is named with / in the message" grep -q "$WORK/nothere: no such folder" "$WORK/stderr"
# extract of sets whose stored template is absolute: the files land in
# DESTDIR itself; beside DESTDIR nothing changes. (Sets whose template climbs
# out are refused by extract: the hostile-package suite makes them by hand.)
mkdir -p "$WORK/x/inside"
printf 'sentinel\n' >"$WORK/x/sentinel.txt"
rm -f "$WORK/product/sub/a.txt"
while IFS='|' read -r tpl status where; do
  rm -rf "$WORK/tset" "$WORK/x/dest"
  "$ZELPACK" build --template "$tpl" "$WORK/tset" "$WORK/product" >/dev/null 2>&1
  before=$(cd "$WORK/x" && find . | sort)
  rc=0; "$ZELPACK" extract "$WORK/tset" "$WORK/x/dest" >/dev/null 2>"$WORK/stderr" || rc=$?
  check "extract of the template $tpl: exit status $status" test "$rc" = "$status"
  check "  ... the files are in DESTDIR$where" test -f "$WORK/x/dest$where/a.txt" -a -f "$WORK/x/dest$where/sub/b.txt"
  check "  ... nothing beside DESTDIR changed" test "$(cd "$WORK/x" && find . | grep -v '^\./dest' | sort)" = \
    "$(grep -v '^\./dest' <<<"$before")"
  check "  ... the sentinel is intact" test "$(cat "$WORK/x/sentinel.txt")" = sentinel
done <<TEMPLATES
C:\tpl\*.*|0|
\tpl\*.*|0|
$WORK/x/inside\*.*|0|
tpl\*.*|0|/tpl
TEMPLATES
for tpl in '..\inside\*.*' 'q\..\..\up\*.*' 'a\CON\*.*'; do
  rm -rf "$WORK/tset"
  rc=0; "$ZELPACK" build --template "$tpl" "$WORK/tset" "$WORK/product" >/dev/null 2>"$WORK/stderr" || rc=$?
  check "build refuses the template $tpl (exit status 1)" test "$rc" = 1
  check "  ... saying why (with native separators)" grep -qF "the template \"${tpl//\\//}\": its folder" "$WORK/stderr"
  check "  ... and writes no set" test ! -e "$WORK/tset/disk.001"
done
# --tmp is used as given (capitals too); the run's scratch folder goes again.
mkdir -p "$WORK/Scratch-CAPS"
rm -rf "$WORK/tset"
rc=0; "$ZELPACK" build --tmp "$WORK/Scratch-CAPS" "$WORK/tset" "$WORK/product" >/dev/null 2>"$WORK/stderr" || rc=$?
check "build --tmp with capitals (exit status $rc)" test "$rc" = 0
rc=0; "$ZELPACK" test --tmp "$WORK/Scratch-CAPS" "$WORK/tset" >/dev/null 2>>"$WORK/stderr" || rc=$?
check "test --tmp with capitals (exit status $rc)" test "$rc" = 0
check "  ... the scratch folder is left empty" test -z "$(ls -A "$WORK/Scratch-CAPS")"
finish
