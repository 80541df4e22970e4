#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb screen, which ends with it.
set -euo pipefail
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  sleep 0.05
done
export DISPLAY=:$(head -n1 "$displayfile")
"$@"
