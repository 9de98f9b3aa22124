#!/usr/bin/env bash
# The answer key of a generated 40-question sheet to PDF, timed as whole
# processes with /usr/bin/time -v: sheet-pdf (laid out as the print command lays
# the pane out) against LibreOffice's headless conversion of the RTF file that
# the Save command writes for the same answer key.
#
# usage: bench/pdf/compare_with_libreoffice.sh [BUILD_DIR] [FAMILY] [SEPARATOR] [SPACING] [RUNS]
# BUILD_DIR is a Release tree with the benchmarks (default build/bench); needs
# soffice (Debian: libreoffice-writer-nogui).
set -euo pipefail

build=${1:-build/bench}
family=${2:-vn1}
separator=${3:-120}
spacing=${4:-1}
runs=${5:-5}

sheet_pdf=$build/bench/pdf/sheet-pdf
vorn_sheet=$build/tools/vorn-sheet
for tool in "$sheet_pdf" "$vorn_sheet"; do
    [ -x "$tool" ] || { echo "missing $tool: build it in $build first" >&2; exit 1; }
done
command -v soffice >/dev/null || { echo "soffice not found (libreoffice-writer-nogui)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sheet=("$family" --seed 4242 --questions 40 --separator "$separator" --spacing "$spacing")
"$vorn_sheet" "${sheet[@]}" -o "$work/sheet.rtf" >/dev/null

vorn_command=("$sheet_pdf" "${sheet[@]}" -o "$work/vorn/sheet.pdf")
# LibreOffice gets a profile of its own, made by a first run that is not timed.
office_command=(soffice -env:UserInstallation="file://$work/profile" --headless
    --convert-to pdf --outdir "$work/office" "$work/sheet_Cor.rtf")
mkdir -p "$work/vorn" "$work/office"

# Runs the command once untimed, then $runs times under /usr/bin/time -v;
# prints the median wall time and the median processor time (user + system)
# in milliseconds, and the largest resident set in KB. (/usr/bin/time reports
# the wall time in hundredths of a second only: the clock is read around it as
# well.)
measure() {
    local walls=() cpus=() rss=0 start end r
    "$@" >/dev/null
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null
        end=$(date +%s%N)
        walls+=($(((end - start) / 1000000)))
        cpus+=("$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%d", s * 1000}' \
            "$work/time.txt")")
        r=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
        if ((r > rss)); then rss=$r; fi
    done
    echo "$(median "${walls[@]}") $(median "${cpus[@]}") $rss"
}
median() {
    printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

read -r vorn_ms vorn_cpu vorn_rss < <(measure "${vorn_command[@]}")
read -r office_ms office_cpu office_rss < <(measure "${office_command[@]}")
for pdf in "$work/vorn/sheet.pdf" "$work/office/sheet_Cor.pdf"; do
    [ -s "$pdf" ] || { echo "no PDF at $pdf" >&2; exit 1; }
done
echo "answer key: $family, 40 questions, separator $separator, spacing $spacing; median of $runs runs"
printf '%-12s %10s %10s %14s\n' program "wall ms" "CPU ms" "max RSS KB"
printf '%-12s %10s %10s %14s\n' sheet-pdf "$vorn_ms" "$vorn_cpu" "$vorn_rss" \
    LibreOffice "$office_ms" "$office_cpu" "$office_rss"
awk -v a="$office_ms" -v b="$vorn_ms" -v c="$office_cpu" -v d="$vorn_cpu" 'BEGIN {
    printf "sheet-pdf is %.1f x faster in wall time, %.1f x in processor time\n",
        a / (b > 0 ? b : 1), c / (d > 0 ? d : 1) }'
