#!/usr/bin/env bash
# zelpack list, test and extract on every hostile package: each run ends with
# exit status 1 and its error (listing passes where only the data is
# damaged), the private scratch folder is gone afterwards, and nothing beside
# the scratch folder or the destination, or further up, is created, changed
# or deleted.
# Usage: zelpack_hostile_cli.sh <zelpack> <hostile_sets>
set -u
zelpack=$1
generator=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zel-hostile-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

mkdir -p "$work/meta"
"$generator" "$work/sets" >"$work/meta/cases" || { echo "FAIL: hostile sets not written"; exit 1; }
deep="$work/a/b/c"
mkdir -p "$deep/tmp"
for dir in "$work" "$work/a" "$work/a/b" "$deep" "$deep/tmp"; do
  for name in sentinel.txt win.ini evil.txt evil.lst; do echo "keep $name" >"$dir/$name"; done
done
snapshot() { (cd "$work" && find . -path ./sets -prune -o -path ./meta -prune -o -path ./a/b/c/dest -prune -o -type f -print0 |
  sort -z | xargs -0 sha1sum); }
before=$(snapshot)

cases=0
while read -r name list_fails _; do
  cases=$((cases + 1))
  for command in list test extract; do
    rm -rf "$deep/dest"
    args=("$command" "$work/sets/$name")
    [ "$command" = extract ] && args+=("$deep/dest")
    rc=0
    (cd "$deep" && TMPDIR="$deep/tmp" timeout 60 "$zelpack" "${args[@]}" >"$work/meta/out" 2>&1 </dev/null) || rc=$?
    want=1
    [ "$command" = list ] && [ "$list_fails" = 0 ] && want=0
    [ "$rc" = "$want" ] || { fail "$name: zelpack $command exits $rc, not $want"; cat "$work/meta/out"; }
    if [ "$want" = 1 ] && ! grep -q "^zelpack $command: " "$work/meta/out"; then
      fail "$name: zelpack $command gives no error"
    fi
    leftovers=$(find "$deep/tmp" -mindepth 1 -maxdepth 1 -name 'zelpack*')
    [ -z "$leftovers" ] || fail "$name: zelpack $command leaves its scratch folder: $leftovers"
    [ "$(snapshot)" = "$before" ] || { fail "$name: zelpack $command changed files outside its folders"; before=$(snapshot); }
  done
done <"$work/meta/cases"
[ "$cases" -gt 20 ] || fail "only $cases hostile cases"
[ "$failed" = 0 ] && echo "ok: $cases hostile packages, each refused by list/test/extract"
exit "$failed"
