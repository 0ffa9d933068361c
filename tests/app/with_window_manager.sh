#!/usr/bin/env bash
# Runs a command on the X display in DISPLAY with a window manager (openbox)
# looking after its windows, as on a desktop. The window manager's own
# files go to a folder beside the test, removed at the end.
set -u
home=$(mktemp -d "$PWD/window-manager-XXXXXX")
XDG_CONFIG_HOME=$home XDG_CACHE_HOME=$home XDG_DATA_HOME=$home openbox --sm-disable >"$home/openbox.log" 2>&1 &
wm=$!
finish() {
  kill "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  rm -rf "$home"
}
trap finish EXIT
# The window manager is there once it has named its check window.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 "$wm" 2>/dev/null || break
  sleep 0.1
done
"$@"
