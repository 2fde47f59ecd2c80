#!/usr/bin/env bash
# Runs the program on the example column under a virtual display with the
# accessibility bus, and reads it as a screen reader does (read_window.py).
# With a second case (one whose combinations fail), runs the program again on
# it and reads the failing rows and the question about unsaved changes.
# Usage: read-window.sh PROGRAM EXAMPLE.fxr [FAILING.fxr]
set -euo pipefail
program=$1
example=$2
failing=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${FLEXARA_A11Y_INSIDE:-}" ]; then
  export FLEXARA_A11Y_INSIDE=1
  exec timeout 180 xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The program is stopped, not closed, at the end: no leak report for that.
export ASAN_OPTIONS=detect_leaks=0
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORM_PLUGIN_PATH
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
"$program" "$example" &
app=$!
trap 'kill $app $bus 2>/dev/null || true' EXIT
# The credits panel goes after two seconds; the window is up long before.
sleep 3
status=0
/usr/bin/python3 "$here/read_window.py" || status=1
if [ -n "$failing" ]; then
  kill $app 2>/dev/null || true
  wait $app 2>/dev/null || true
  "$program" "$failing" &
  app=$!
  sleep 3
  /usr/bin/python3 "$here/read_window.py" failing || status=1
fi
exit $status
