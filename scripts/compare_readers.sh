#!/bin/sh
# Compares what LibreOffice and AbiWord make of the RTF files vorn-sheet saves
# with the PDF vorn-sheet lays out itself, for every family at every level,
# statement and answer key, 40 questions each. For each reader it counts the
# files whose page count, page breaks (the first line of every page) and
# lines (`pdftotext -layout`, blanks runs taken as one) are those of VORN's
# PDF, and names the files that differ.
#
#   scripts/compare_readers.sh [path/to/vorn-sheet]   (default build/test/tools/vorn-sheet)
#
# Exits 0 when every count is complete, 1 when one falls short, 2 when a tool
# is missing (soffice, abiword, pdftotext, pdfinfo), so that a caller can skip.
# The families and their level counts are read from `vorn-sheet --help`.
set -eu

tool=${1:-build/test/tools/vorn-sheet}
[ -x "$tool" ] || { echo "compare_readers.sh: no program at $tool" >&2; exit 2; }
for needed in soffice abiword pdftotext pdfinfo; do
    command -v "$needed" >/dev/null 2>&1 ||
        { echo "compare_readers.sh: $needed is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/vorn" "$work/lo" "$work/abi"

# "    red      Réduire (--level 1 to 2)" -> "red 2"; a family without levels -> "vn1 1".
"$tool" --help | sed -n 's/^    \([a-z0-9][a-z0-9]*\)  .*(--level 1 to \([0-9][0-9]*\))$/\1 \2/p
                         t
                         s/^    \([a-z0-9][a-z0-9]*\)  .*$/\1 1/p' >"$work/families"
[ -s "$work/families" ] || { echo "compare_readers.sh: no family in --help" >&2; exit 1; }

while read -r family levels; do
    level=1
    while [ "$level" -le "$levels" ]; do
        name=$family-$level
        for kind in rtf pdf; do
            "$tool" "$family" --level "$level" --seed 2024 --questions 40 \
                -o "$work/vorn/$name.$kind" >/dev/null
        done
        level=$((level + 1))
    done
done <"$work/families"

# One LibreOffice for all files, with a profile of its own so that it neither
# meets another running instance nor reads the user's settings.
soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
    --outdir "$work/lo" "$work"/vorn/*.rtf >/dev/null 2>&1
for rtf in "$work"/vorn/*.rtf; do
    base=$(basename "$rtf" .rtf)
    HOME=$work abiword --to=pdf -o "$work/abi/$base.pdf" "$rtf" >/dev/null 2>&1 || true
done

pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
# The first line of text of every page, one a line.
breaks() {
    count=$(pages "$1")
    page=1
    while [ "$page" -le "${count:-0}" ]; do
        pdftotext -f "$page" -l "$page" -layout "$1" - 2>/dev/null |
            sed 's/^ *//; s/  */ /g; /^$/d' | head -n 1
        page=$((page + 1))
    done
}
lines() { pdftotext -layout "$1" - 2>/dev/null | sed 's/^ *//; s/ *$//; s/  */ /g; /^$/d'; }

short=0
for reader in lo abi; do
    same_pages=0 same_breaks=0 same_lines=0 differ=
    for own in "$work"/vorn/*.pdf; do
        base=$(basename "$own")
        other=$work/$reader/$base
        if [ ! -s "$other" ]; then
            differ="$differ $base(none)"
            continue
        fi
        [ "$(pages "$own")" = "$(pages "$other")" ] && same_pages=$((same_pages + 1))
        if [ "$(breaks "$own")" = "$(breaks "$other")" ]; then
            same_breaks=$((same_breaks + 1))
        else
            differ="$differ $base($(pages "$own")/$(pages "$other") pages)"
        fi
        [ "$(lines "$own")" = "$(lines "$other")" ] && same_lines=$((same_lines + 1))
    done
    case $reader in lo) label=LibreOffice ;; *) label=AbiWord ;; esac
    count=$(ls "$work"/vorn/*.pdf | wc -l)
    echo "$label: pages $same_pages/$count, breaks $same_breaks/$count, lines $same_lines/$count"
    [ -z "$differ" ] || echo "  breaks differ:$differ"
    if [ "$same_breaks" -ne "$count" ] || { [ "$reader" = lo ] && [ "$same_lines" -ne "$count" ]; }; then
        short=1
    fi
done
exit "$short"
