# Sourced by ./test. Starts a CUPS scheduler with a CUPS-PDF queue, made the
# default, for the printing tests when no scheduler is running; stops only what
# it started. Needs root, or sudo.
#
# While the queue it made exists, VORN_TEST_PRINTER names it, so that the
# printing tests insist on finding it instead of skipping. CUPS-PDF reads
# /etc/cups/cups-pdf-<name>.conf for a device URI "cups-pdf:/<name>"; that file
# gives the queue its own output folder, read back by the tests.

VORN_TEST_QUEUE=VORN_TEST_PDF
_vorn_cupsd_pid=""
_vorn_queue_made=""
_vorn_pdf_conf_made=""
_vorn_previous_default=""

_vorn_scheduler_running() {
    LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

vorn_test_printer_start() {
    if ! command -v cupsd >/dev/null 2>&1 || ! command -v lpadmin >/dev/null 2>&1; then
        echo "CUPS n'est pas installé : les tests d'impression seront sautés." >&2
        return 0
    fi
    # A scheduler that already runs (started by the package's installation,
    # say) is used as it is; only the test queue is added to it.
    if ! _vorn_start_scheduler; then
        return 0
    fi
    _vorn_add_queue
}

_vorn_start_scheduler() {
    if _vorn_scheduler_running; then
        return 0
    fi

    # Started directly (not through a shell function) so that $! is the
    # scheduler itself, or the sudo that runs it.
    if [ "$(id -u)" -eq 0 ]; then
        cupsd -f >/dev/null 2>&1 &
    else
        sudo cupsd -f >/dev/null 2>&1 &
    fi
    _vorn_cupsd_pid=$!
    local tries=0
    until _vorn_scheduler_running; do
        tries=$((tries + 1))
        if [ "$tries" -gt 50 ] || ! kill -0 "$_vorn_cupsd_pid" 2>/dev/null; then
            echo "Le planificateur CUPS n'a pas démarré." >&2
            _vorn_cupsd_pid=""
            return 1
        fi
        sleep 0.2
    done
}

_vorn_add_queue() {
    _vorn_previous_default=$(LC_ALL=C lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p' || true)

    local conf="/etc/cups/cups-pdf-$VORN_TEST_QUEUE.conf"
    if [ ! -e "$conf" ]; then
        # Label and TitlePref are queue options (set below); the rest is ours.
        printf '%s\n' "Out /var/spool/cups-pdf/$VORN_TEST_QUEUE/\${USER}" "Cut -1" "Grp lpadmin" |
            vorn_as_root tee "$conf" >/dev/null && _vorn_pdf_conf_made=$conf || true
    fi

    local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    local existed=""
    LC_ALL=C lpstat -v "$VORN_TEST_QUEUE" >/dev/null 2>&1 && existed=1
    # The queue is (re)configured even when it exists: one left behind by an
    # interrupted run may have lost its PPD and become a raw queue, which
    # ignores Label and TitlePref and writes every job over one file.
    # Every PDF is named "job_<id>-<job title>.pdf": copies with one title
    # never overwrite each other, and the tests can read the order.
    # pdftocairo keeps the text of the pages readable by pdftotext through
    # the PostScript step that CUPS-PDF needs.
    if ! vorn_as_root lpadmin -p "$VORN_TEST_QUEUE" -E -v "cups-pdf:/$VORN_TEST_QUEUE" -P "$ppd" \
        -o Label=1 -o TitlePref=1 -o pdftops-renderer-default=pdftocairo 2>/dev/null; then
        echo "La file d'impression de test n'a pas pu être configurée." >&2
        return 0
    fi
    [ -n "$existed" ] || _vorn_queue_made=1
    if LC_ALL=C lpoptions -p "$VORN_TEST_QUEUE" 2>/dev/null | grep -q "Local Raw Printer"; then
        echo "La file d'impression de test est restée brute (sans PPD) : les tests d'impression seront sautés." >&2
        return 0
    fi
    vorn_as_root lpadmin -d "$VORN_TEST_QUEUE" 2>/dev/null || true
    export VORN_TEST_PRINTER=$VORN_TEST_QUEUE
}

vorn_test_printer_stop() {
    if [ -n "$_vorn_queue_made" ]; then
        vorn_as_root lpadmin -x "$VORN_TEST_QUEUE" 2>/dev/null || true
        if [ -n "$_vorn_previous_default" ]; then
            vorn_as_root lpadmin -d "$_vorn_previous_default" 2>/dev/null || true
        fi
        _vorn_queue_made=""
    fi
    if [ -n "$_vorn_pdf_conf_made" ]; then
        # The queue's own output folder goes with its configuration.
        vorn_as_root rm -f "$_vorn_pdf_conf_made"
        vorn_as_root rm -rf "/var/spool/cups-pdf/$VORN_TEST_QUEUE"
        _vorn_pdf_conf_made=""
    fi
    if [ -n "$_vorn_cupsd_pid" ]; then
        # sudo passes the signal on to the scheduler it started.
        kill "$_vorn_cupsd_pid" 2>/dev/null || vorn_as_root kill "$_vorn_cupsd_pid" 2>/dev/null || true
        wait "$_vorn_cupsd_pid" 2>/dev/null || true
        _vorn_cupsd_pid=""
    fi
    unset VORN_TEST_PRINTER
}
