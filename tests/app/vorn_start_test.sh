#!/bin/sh
# Starts the built window program as a user would: its help, a refused
# argument, and a start with --work-in-cache ended by SIGTERM, which must close
# the window as its close button does (the settings file is then written).
# The program runs from a copy in a temporary folder, so that its settings
# file lands there and not in the build tree.
set -eu
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# --help needs no display at all.
QT_QPA_PLATFORM=none "$program" --help >"$tmp/help" || fail "vorn --help exits with $?"
grep -q -- '--work-in-cache' "$tmp/help" || fail "vorn --help does not name --work-in-cache"

status=0
"$program" --bogus 2>"$tmp/err" || status=$?
[ "$status" -eq 2 ] || fail "vorn --bogus exits with $status, not 2"
grep -qx "vorn: unknown argument '--bogus' (see vorn --help)" "$tmp/err" ||
    fail "vorn --bogus says: $(cat "$tmp/err")"

mkdir "$tmp/bin" "$tmp/start"
cp "$program" "$tmp/bin/vorn"
cd "$tmp/start"

# Starts the copy with the given arguments, notes its working directory once
# the window is up, and closes it with SIGTERM; the program must then end
# normally.
run_and_terminate() {
    XDG_CACHE_HOME="$tmp/cache" XDG_STATE_HOME="$tmp/state" \
        "$tmp/bin/vorn" -platform offscreen "$@" &
    pid=$!
    # SIGTERM is caught once the window is up: wait for the handler (bit 15
    # of the caught-signals mask) before sending it.
    caught=0
    for _ in $(seq 600); do
        mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)
        if [ -n "$mask" ] && [ $((0x$mask & 0x4000)) -ne 0 ]; then
            caught=1
            break
        fi
        sleep 0.1
    done
    if [ "$caught" -ne 1 ]; then
        kill -9 "$pid" 2>/dev/null
        fail "the window never took SIGTERM over"
    fi
    cwd=$(readlink "/proc/$pid/cwd")
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "closed by SIGTERM, the program exits with $status"
}

# From a shell, the program works where it was started.
run_and_terminate
[ "$cwd" = "$tmp/start" ] || fail "without options the working directory is $cwd"
grep -q '^\[TForm1\]' "$tmp/bin/vorn.ini" || fail "no settings written on SIGTERM"
[ ! -e "$tmp/cache" ] || fail "without options the cache folder was made"
[ "$(stat -c %a "$tmp/state/vorn/session" 2>/dev/null)" = 600 ] ||
    fail "no private session file kept on SIGTERM"

run_and_terminate --work-in-cache --new
[ "$cwd" = "$tmp/cache/vorn" ] || fail "working directory $cwd, not $tmp/cache/vorn"
[ "$(stat -c %a "$tmp/cache/vorn")" = 700 ] || fail "the cache folder's mode is not 700"
[ -z "$(ls -A "$tmp/start")" ] || fail "files left in the start folder: $(ls -A "$tmp/start")"
echo "vorn start: ok"
