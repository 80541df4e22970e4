# Sourced: the one place that starts a virtual screen, large enough for the main window at 192
# dots per inch (twice its design size).
#   xvfb_start    starts Xvfb on a free display, exports DISPLAY, and stops it when the shell
#                 that sourced this file exits
xvfb_start() {
  local displayfile
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1440x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
  XVFB_PID=$!
  # Xvfb names its display once it is ready; a busy machine may take a while.
  for _ in $(seq 1200); do
    [ -s "$displayfile" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$displayfile" ] || { echo "xvfb: no screen came" >&2; rm -f "$displayfile"; return 1; }
  export DISPLAY=:$(head -n1 "$displayfile")
  rm -f "$displayfile"
}

xvfb_stop() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
