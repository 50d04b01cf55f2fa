#!/usr/bin/env bash
# check_imports.sh <install.exe> <objdump> <allowlist>
# Reads the import table of install.exe and holds every imported DLL!function
# against the allowlist, which names for each the oldest Windows 9x and the
# oldest Windows NT that export it. Fails on a function not listed, on one
# imported by ordinal, and on one that Windows 98 or NT 4.0 lacks.
set -u
exe=$1 objdump=$2 allowlist=$3
dump=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
# One "DLL!function" (upper-case DLL name) per import; "DLL!#ordinal" for
# imports by ordinal.
imports=$(awk '
  /^\tDLL Name: / { dll = toupper($3); next }
  /^\tvma: / { next }
  /^$/ { dll = ""; next }
  dll != "" && $1 ~ /^[0-9a-f]+$/ {
    if (NF >= 3) print dll "!" $3; else if (NF == 2) print dll "!#" $2
  }' <<<"$dump" | sort -u)
[ -n "$imports" ] || { echo "FAIL: no imports found in $exe"; exit 1; }

# Allowlist lines: DLL!function  oldest-9x  oldest-NT  [note]
#   9x: 95 95osr2 98 me none        NT: 3.1 3.5 3.51 4.0 2000 xp vista 7 8 10
declare -A nine nt
while read -r name v9 vnt _; do
  case $name in ''|\#*) continue ;; esac
  dll=${name%%!*}
  key="${dll^^}!${name#*!}"
  nine[$key]=$v9
  nt[$key]=$vnt
done <"$allowlist"

failed=0 count=0
while read -r import; do
  count=$((count + 1))
  case $import in *'!#'*) echo "FAIL: $import is imported by ordinal"; failed=1; continue ;; esac
  if [ -z "${nine[$import]+x}" ]; then
    echo "FAIL: $import is not in the allowlist"
    failed=1
    continue
  fi
  case ${nine[$import]} in
    95|95osr2|98) ;;
    none) echo "FAIL: $import does not exist on Windows 95, 98 or ME"; failed=1 ;;
    *) echo "FAIL: $import needs Windows ${nine[$import]} (newer than Windows 98)"; failed=1 ;;
  esac
  case ${nt[$import]} in 3.1|3.5|3.51|4.0) ;; *)
    echo "FAIL: $import needs Windows NT ${nt[$import]} (newer than NT 4.0)"; failed=1 ;; esac
done <<<"$imports"
echo "install.exe imports $count functions from $(cut -d'!' -f1 <<<"$imports" | sort -u | tr '\n' ' ')"
[ "$failed" = 0 ] && echo "ok: every import exists on Windows 98 and NT 4.0"
exit "$failed"
