#!/usr/bin/env bash
# zelpack make for every medium: disk 1 holds install.exe, install.cfg and
# disk.001; every disk's files fit the medium counted in its clusters; the set
# expands to the product's bytes; the floppy images list the same files in
# mtools' own listing, and the files read back from them pass zelpack test.
# Two runs on the same input give byte-identical output.
. "$(dirname "$0")/lib.sh"
make_product "$WORK/product"
setup="$WORK/setup/install.exe"
have_mtools=0
command -v mformat >/dev/null && command -v mcopy >/dev/null && command -v mdir >/dev/null && have_mtools=1
[ "$have_mtools" = 1 ] || echo "skipped: the image checks (mtools is not installed)"

# medium cluster-size clusters: the figures of the formatted medium.
while read -r medium cluster clusters; do
  out="$WORK/out-$medium"
  images=()
  [ "$have_mtools" = 1 ] && [ "$clusters" != 0 ] && [ "$medium" != cd ] && images=(--images)
  if ! "$ZELPACK" make "$WORK/product/install.cfg" "$out" --media "$medium" --setup-exe "$setup" "${images[@]}" \
      >"$WORK/summary-$medium" 2>"$WORK/stderr-$medium"; then
    fail "$medium: make"; cat "$WORK/stderr-$medium"; continue
  fi
  ok "$medium: make"
  if [ "$medium" = cd ] || [ "$medium" = folder ]; then disks=("$out"); else disks=("$out"/disk*/); fi
  first="${disks[0]%/}"
  check "$medium: disk 1 holds install.exe, install.cfg and disk.001" \
    test "$(cd "$first" && ls | tr '\n' ' ')" = "disk.001 install.cfg install.exe "
  check "$medium: disk 1 carries the setup program" cmp -s "$first/install.exe" "$setup"
  n=0
  for disk in "${disks[@]}"; do
    n=$((n + 1))
    used=0
    for f in "$disk"/*; do
      [ -f "$f" ] || continue
      size=$(stat -c %s "$f")
      used=$((used + (size + cluster - 1) / cluster))
    done
    if [ "$clusters" != 0 ]; then
      check "$medium: disk $n fits in $clusters clusters ($used used)" test "$used" -le "$clusters"
      [ "$n" -lt "${#disks[@]}" ] && [ "$medium" != cd ] &&
        check "$medium: disk $n is full" test "$used" -eq "$clusters"
    fi
  done
  check "$medium: zelpack test" quiet "$ZELPACK" test "$out"
  "$ZELPACK" extract "$out" "$WORK/x-$medium" >/dev/null
  same=1
  for f in prog.exe data.bin docs/readme.txt empty.ini license.txt; do
    cmp -s "$WORK/product/$f" "$WORK/x-$medium/product/$f" || { same=0; echo "differs: $f"; }
  done
  check "$medium: the set expands byte-identical" test "$same" = 1

  [ ${#images[@]} -gt 0 ] || continue
  for disk in "${disks[@]}"; do
    disk=${disk%/}
    name=$(basename "$disk")
    img="$out/$name.img"
    listing=$(mdir -b -i "$img" :: 2>&1 | sed 's|^::/||' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    check "$medium: mdir lists $name's files in $name.img" test "$listing" = "$(cd "$disk" && ls | sort | tr '\n' ' ')"
    free=$(mdir -i "$img" :: | sed -n 's/ bytes free//p' | tr -d ' ')
    check "$medium: $name.img has free space left ($free)" test "$free" -ge 0
    mkdir -p "$WORK/back-$medium/$name"
    mcopy -n -i "$img" "::*" "$WORK/back-$medium/$name/" 2>/dev/null
    check "$medium: $name read back from its image equals the folder" diff -r "$disk" "$WORK/back-$medium/$name"
    label=$(mdir -i "$img" :: | sed -n 's/.*Volume in drive : is //p' | sed 's/ *$//')
    check "$medium: $name.img has a volume label ($label)" test -n "$label"
  done
  check "$medium: zelpack test on the files read back from the images" quiet "$ZELPACK" test "$WORK/back-$medium"
done <<'MEDIA'
1.44M 512 2847
720K 1024 713
1.2M 512 2371
2.88M 1024 2863
cd 2048 332936
folder 1 0
MEDIA

# The same input again: the same bytes, images included.
"$ZELPACK" make "$WORK/product/install.cfg" "$WORK/again" --media 720K --setup-exe "$setup" \
  $([ "$have_mtools" = 1 ] && echo --images) >/dev/null 2>&1
check "make twice gives byte-identical disks" diff -r "$WORK/out-720K" "$WORK/again"
"$ZELPACK" make "$WORK/product/install.cfg" "$WORK/again" --media 720K --setup-exe "$setup" \
  $([ "$have_mtools" = 1 ] && echo --images) >/dev/null 2>&1
check "make over its own earlier output gives the same disks" diff -r "$WORK/out-720K" "$WORK/again"
check "the summary names the files, bytes and disks" \
  grep -q "^5 file(s), .* bytes in, .* bytes out (.*), 3 disk(s) of 3.5\" 720 KB floppy disk" "$WORK/summary-720K"
check "the summary gives the free space of each disk" grep -q "disk3: disk.003 (.* bytes; .* bytes free)" "$WORK/summary-720K"
finish
