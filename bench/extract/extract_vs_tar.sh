#!/usr/bin/env bash
# Wall time of `zelpack extract` against `tar --no-same-owner -m -x` of the
# same folder, in turns, round after round; each run goes into a new folder,
# made and deleted outside the timed command. Prints the medians and the
# median of the per-round ratios.
#   extract_vs_tar.sh ZELPACK FOLDER [ROUNDS] [load]
# With "load", every round also extracts beside two busy processes and the
# ratio printed is loaded/idle for zelpack.
set -euo pipefail
zelpack="$(realpath "$1")"
folder="$(realpath "$2")"
rounds="${3:-15}"
mode="${4:-tar}"
work="$(mktemp -d)"
busy=()
cleanup() {
  for p in "${busy[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
"$zelpack" build "$work/set" "$folder" >/dev/null
tar -C "$(dirname "$folder")" -cf "$work/corpus.tar" "$(basename "$folder")"
echo "set: $(find "$work/set" -type f | wc -l) segment file(s), $(du -sb "$work/set" | cut -f1) bytes;" \
  "folder: $(find "$folder" -type f | wc -l) files, $(du -sb "$folder" | cut -f1) bytes"

# Runs a command into a fresh folder; prints its wall time and its CPU time
# (user + system) in ms.
timed() {
  local dest="$work/out" t
  rm -rf "$dest"
  mkdir "$dest"
  sync
  t=$( { TIMEFORMAT='%3R %3U %3S'; time "$@" "$dest" >/dev/null; } 2>&1 )
  rm -rf "$dest"
  awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$t"
}
zel() { "$zelpack" extract "$work/set" "$1"; }
untar() { tar --no-same-owner -m -x -f "$work/corpus.tar" -C "$1"; }
spin() { while :; do :; done; }

a=() b=() ca=() cb=() ratio=()
for ((r = 0; r < rounds; r++)); do
  if [ "$mode" = load ]; then
    x=$(timed zel)
    spin & busy=($!)
    spin & busy+=($!)
    y=$(timed zel)
    kill "${busy[@]}"; wait "${busy[@]}" 2>/dev/null || true; busy=()
  elif ((r % 2)); then
    x=$(timed zel); y=$(timed untar)
  else
    y=$(timed untar); x=$(timed zel)
  fi
  read -r xw xc <<<"$x"
  read -r yw yc <<<"$y"
  a+=("$xw") b+=("$yw") ca+=("$xc") cb+=("$yc")
  # zelpack/tar, or loaded/idle
  if [ "$mode" = load ]; then p=$yw q=$xw; else p=$xw q=$yw; fi
  ratio+=("$(awk -v p="$p" -v q="$q" 'BEGIN { printf "%.3f", (q > 0 ? p / q : 0) }')")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
if [ "$mode" = load ]; then
  echo "zelpack extract idle: wall $(median "${a[@]}") ms, CPU $(median "${ca[@]}") ms;" \
    "beside two busy processes: wall $(median "${b[@]}") ms, CPU $(median "${cb[@]}") ms (medians)"
  echo "median per-round wall ratio loaded/idle: $(median "${ratio[@]}")  ($rounds rounds)"
else
  echo "zelpack extract: wall $(median "${a[@]}") ms, CPU $(median "${ca[@]}") ms;" \
    "tar -x: wall $(median "${b[@]}") ms, CPU $(median "${cb[@]}") ms (medians)"
  echo "median per-round wall ratio zelpack/tar: $(median "${ratio[@]}")  ($rounds rounds)"
fi
