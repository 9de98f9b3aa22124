#!/bin/sh
# Prints one checksum over what vorn-sheet writes for every family at every
# level, for several seeds, titles and layouts: markup, RTF on the standard
# output, and the two RTF and plain-text files of -o. Run it before and after
# a change that must not alter any sheet; the two checksums must match.
#
#   scripts/sheet_bytes.sh [path/to/vorn-sheet]      (default build/test/tools/vorn-sheet)
#
# The families and their level counts are read from `vorn-sheet --help`, which
# lists them from the program's family table.
set -eu

tool=${1:-build/test/tools/vorn-sheet}
[ -x "$tool" ] || { echo "sheet_bytes.sh: no program at $tool" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# "    red      Réduire (--level 1 to 2)" -> "red 2"; a family without levels -> "vn1 1".
"$tool" --help | sed -n 's/^    \([a-z0-9][a-z0-9]*\)  .*(--level 1 to \([0-9][0-9]*\))$/\1 \2/p
                         t
                         s/^    \([a-z0-9][a-z0-9]*\)  .*$/\1 1/p' >"$work/families"
[ -s "$work/families" ] || { echo "sheet_bytes.sh: no family in --help" >&2; exit 1; }

kinds=0
while read -r family levels; do
    level=1
    while [ "$level" -le "$levels" ]; do
        kinds=$((kinds + 1))
        for seed in 0 1 42 4242 123456789 4294967295; do
            run() { "$tool" "$family" --level "$level" --seed "$seed" "$@"; }
            {
                run --markup
                run --rtf --questions 40 --separator 0 --spacing 5
                run --markup --questions 1 --separator 1000 --spacing 0 \
                    --title 'Titre à\b{c} d°é – Ω'
                run --markup --questions 7 --variants 3
                rm -f "$work"/s*
                # -o prints the names it wrote, which hold the scratch folder.
                run --questions 12 -o "$work/s.rtf" >/dev/null
                cat "$work/s.rtf" "$work/s_Cor.rtf"
                run --questions 5 --variants 2 -o "$work/s.txt" >/dev/null
                cat "$work/s.txt" "$work/s_Cor.rtf"
            } >>"$work/all"
        done
        level=$((level + 1))
    done
done <"$work/families"

echo "$kinds kinds: $(tr '\n' ' ' <"$work/families")"
sha256sum <"$work/all" | cut -d' ' -f1
