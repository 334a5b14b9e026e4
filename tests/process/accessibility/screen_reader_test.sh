#!/usr/bin/env bash
# Runs screen_reader_test.py in a D-Bus session of its own, where the
# accessibility bus and registry start on demand and end with the session.
# Usage: screen_reader_test.sh KALVEX_PROGRAM
set -u
here=$(dirname "$0")
skip=77

# pyatspi is Debian's, for Debian's own Python.
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3 || true)
if [ -z "$python" ]; then
  echo "SKIP: python3 is not installed"; exit $skip
fi
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: python3-pyatspi is not installed (scripts/install-deps.sh installs it)"; exit $skip
fi
if [ ! -x /usr/libexec/at-spi-bus-launcher ] && ! command -v at-spi-bus-launcher >/dev/null; then
  echo "SKIP: at-spi2-core is not installed (scripts/install-deps.sh installs it)"; exit $skip
fi
if ! command -v dbus-run-session >/dev/null; then
  echo "SKIP: dbus-run-session is not installed (scripts/install-deps.sh installs it)"; exit $skip
fi
if [ ! -x "$1" ]; then
  echo "SKIP: the program is not built: $1"; exit $skip
fi
exec dbus-run-session -- "$python" "$here/screen_reader_test.py" "$1"
