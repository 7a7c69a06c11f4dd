#!/bin/sh
# Runs a command on a fresh X server (Xvfb, through xvfb-run) with the openbox window manager
# running, as on a person's desktop: the window manager activates the windows that are shown and
# gives the focus back when a dialog closes. The command's exit status is the script's.
#   tests/desktop/under_window_manager.sh COMMAND [ARG...]
set -eu
if [ -z "${UNDER_WINDOW_MANAGER:-}" ]; then
  UNDER_WINDOW_MANAGER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
manager=$!
waited=0
while [ ! -e "$ready" ] && [ "$waited" -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
rm -f "$ready"
status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
kill "$manager" 2>/dev/null || true
wait "$manager" 2>/dev/null || true
exit "$status"
