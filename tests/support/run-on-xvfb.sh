#!/usr/bin/env bash
# Runs a command on a private Xvfb: run-on-xvfb.sh WxHxDEPTH command [args...]
# The server gets a free display number from -displayfd, so tests can run in parallel,
# and -noreset keeps the root background when the last client leaves.
set -eu
geometry=$1; shift
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "$geometry" -noreset -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 10 display <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
"$@"
