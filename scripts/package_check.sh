#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and runs it from
# there as an installed program runs: vorn-sheet, then the window (offscreen)
# as the desktop entry starts it, closed by SIGTERM, with a bin folder it
# cannot write. Then lintian. Run by ./test; prints one line per step.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    [ -s "${tmp:-}/window.err" ] && sed 's/^/    window: /' "$tmp/window.err" >&2
    echo "package check: FAIL: $*" >&2
    exit 1
}

deb=$(scripts/package.sh)
echo "package check: built $(basename "$deb")"

tmp=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
chmod 755 "$tmp"
root=$tmp/root
dpkg-deb -x "$deb" "$root"

# What an installed system gets.
for file in usr/bin/vorn usr/bin/vorn-sheet \
    usr/share/applications/vorn.desktop \
    usr/share/metainfo/example.vorn_maths.vorn.metainfo.xml \
    usr/share/man/man1/vorn.1.gz usr/share/man/man1/vorn-sheet.1.gz \
    usr/share/doc/vorn/copyright usr/share/doc/vorn/changelog.gz \
    usr/share/icons/hicolor/scalable/apps/vorn.svg; do
    [ -f "$root/$file" ] || fail "/$file is not in the package"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=usr/share/icons/hicolor/${size}x$size/apps/vorn.png
    file "$root/$icon" | grep -q "PNG image data, $size x $size," || fail "/$icon is no $size px PNG"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6widgets6 libqt6printsupport6 \
    fonts-liberation2 qt6-translations-l10n; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
desktop-file-validate "$root/usr/share/applications/vorn.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.vorn_maths.vorn.metainfo.xml" \
    >/dev/null || fail "appstreamcli rejects the installed metainfo"
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ ", $recommends," == *", fonts-opendyslexic"[\ ,]* ]] ||
    fail "Recommends lacks fonts-opendyslexic: $recommends"
[[ ", $depends," != *"opendyslexic"* ]] || fail "Depends holds fonts-opendyslexic: $depends"
echo "package check: contents, Depends and Recommends ok"

"$root/usr/bin/vorn-sheet" --help | grep -q '^usage: vorn-sheet' || fail "vorn-sheet --help"
"$root/usr/bin/vorn-sheet" vn1 --seed 42 -o "$tmp/feuille.rtf" >/dev/null
[ -s "$tmp/feuille.rtf" ] && [ -s "$tmp/feuille_Cor.rtf" ] || fail "vorn-sheet -o wrote no sheet"
echo "package check: vorn-sheet ok"

# The window, started as the desktop entry starts it, by a user who cannot
# write the bin folder: the super-user ignores permissions, so as root it
# runs as nobody; anyone else gets a bin folder made read-only.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/vorn.desktop")
[ "$exec_line" = "vorn --work-in-cache" ] || fail "the desktop entry runs '$exec_line'"
home=$tmp/home
runtime=$tmp/runtime
mkdir "$home" "$runtime"
chmod 700 "$runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$home" "$runtime"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    chmod a-w "$root/usr/bin"
fi
(cd "$home" && exec "${as_user[@]}" env HOME="$home" QT_QPA_PLATFORM=offscreen \
    XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_STATE_HOME="$home/state" \
    XDG_RUNTIME_DIR="$runtime" \
    PATH="$root/usr/bin:$PATH" $exec_line) 2>"$tmp/window.err" &
pid=$!
# SIGTERM closes the window once the program has taken it over (bit 15 of
# the caught-signals mask); sent earlier, it would just kill the program.
for _ in $(seq 300); do
    mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$mask" ] && [ $((0x$mask & 0x4000)) -ne 0 ] && break
    kill -0 "$pid" 2>/dev/null || fail "the window program ended at start"
    sleep 0.1
done
kill -TERM "$pid"
for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    fail "the window did not close within 30 s of SIGTERM (an error box waits?)"
fi
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the window program exits with $status"
[ ! -e "$root/usr/bin/vorn.ini" ] || fail "settings written beside the executable"
grep -q '^\[TForm1\]' "$home/config/vorn/vorn.ini" 2>/dev/null ||
    fail "no settings in \$XDG_CONFIG_HOME/vorn/vorn.ini"
[ "$(stat -c %a "$home/cache/vorn")" = 700 ] || fail "no private working folder in the cache"
[ "$(stat -c %a "$home/state/vorn/session" 2>/dev/null)" = 600 ] ||
    fail "no private session file in \$XDG_STATE_HOME/vorn"
left=$(cd "$home" && ls -A | grep -vx -e config -e cache -e state || true)
[ -z "$left" ] || fail "files left in the home folder: $left"
echo "package check: window ok (settings in \$XDG_CONFIG_HOME/vorn/vorn.ini)"

if command -v lintian >/dev/null 2>&1; then
    status=0
    report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
    report=$(grep -v 'running with root privileges' <<<"$report" || true)
    [ -z "$report" ] || echo "$report" | sed 's/^/    lintian: /'
    [ "$status" -eq 0 ] || fail "lintian reports errors"
    echo "package check: lintian ok"
fi

# What LibreOffice and AbiWord make of the saved RTF, against the program's
# own PDF (about a minute); the counts are printed, a shortfall is reported
# without failing the check: a reader's version changes its layout.
if command -v soffice >/dev/null 2>&1 && command -v abiword >/dev/null 2>&1; then
    scripts/compare_readers.sh "$root/usr/bin/vorn-sheet" 2>&1 | sed 's/^/    readers: /' || true
    echo "package check: readers compared"
    # The recipe a saved file carries must change nothing for those readers.
    scripts/recipe_readers.sh "$root/usr/bin/vorn-sheet" 2>&1 | sed 's/^/    recipe: /' ||
        fail "a reader shows the saved recipe or lays the file out differently"
    echo "package check: recipe ignored by the readers"
fi
