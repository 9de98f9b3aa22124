#!/bin/sh
# Checks that the recipe a saved sheet carries changes nothing for other
# readers: for a sheet and a set, LibreOffice and AbiWord make the same pages
# (`pdftotext -layout`) of each RTF file with its recipe as of the same file
# with the recipe destination taken out, and the recipe text shows nowhere;
# the PDF files, with the recipe in their metadata, read as pdfinfo and
# pdftotext expect.
#
#   scripts/recipe_readers.sh [path/to/vorn-sheet]   (default build/test/tools/vorn-sheet)
#
# Exits 0 when all agree, 1 when one differs, 2 when a tool is missing.
set -eu

tool=${1:-build/test/tools/vorn-sheet}
[ -x "$tool" ] || { echo "recipe_readers.sh: no program at $tool" >&2; exit 2; }
for needed in soffice abiword pdftotext pdfinfo; do
    command -v "$needed" >/dev/null 2>&1 ||
        { echo "recipe_readers.sh: $needed is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/with" "$work/without"
"$tool" eq1 --level 2 --seed 2024 --questions 40 -o "$work/with/one.rtf" >/dev/null
"$tool" compose red:2:5 fact:1:6 --seed 7 --variants 3 -o "$work/with/set.rtf" >/dev/null
"$tool" dev2 --seed 9 --variants 2 -o "$work/set.pdf" >/dev/null

status=0
for file in "$work"/with/*.rtf; do
    grep -q '{\\\*\\vornrecette ' "$file" ||
        { echo "no recipe in $(basename "$file")"; status=1; }
    sed 's/{\\\*\\vornrecette [^}]*}//' "$file" >"$work/without/$(basename "$file")"
done
for side in with without; do
    soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
        --outdir "$work/$side/lo" "$work/$side"/*.rtf >/dev/null 2>&1
    for file in "$work/$side"/*.rtf; do
        base=$(basename "$file" .rtf)
        HOME=$work abiword --to=pdf -o "$work/$side/$base.abi.pdf" "$file" >/dev/null 2>&1 || true
    done
done
for pdf in "$work"/with/lo/*.pdf "$work"/with/*.abi.pdf; do
    other=$work/without/${pdf#"$work"/with/}
    pdftotext -layout "$pdf" "$work/a.txt" 2>/dev/null || { echo "unreadable: $pdf"; status=1; }
    pdftotext -layout "$other" "$work/b.txt" 2>/dev/null || { echo "unreadable: $other"; status=1; }
    if ! cmp -s "$work/a.txt" "$work/b.txt"; then
        echo "pages differ with the recipe: ${pdf#"$work"/with/}"
        status=1
    fi
    if grep -q 'VORN-RECETTE' "$work/a.txt"; then
        echo "the recipe shows in ${pdf#"$work"/with/}"
        status=1
    fi
done
for pdf in "$work/set.pdf" "$work/set_Cor.pdf"; do
    [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" -ge 2 ] || { echo "pages: $pdf"; status=1; }
    pdfinfo -meta "$pdf" | grep -q '<vorn:recette>VORN-RECETTE ' ||
        { echo "no recipe in the metadata of $(basename "$pdf")"; status=1; }
    pdftotext "$pdf" - | grep -q 'VORN-RECETTE' && { echo "the recipe shows in $pdf"; status=1; }
done
[ "$status" -eq 0 ] && echo "recipe_readers.sh: LibreOffice, AbiWord and the PDF tools agree"
exit "$status"
