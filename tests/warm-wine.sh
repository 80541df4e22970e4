#!/usr/bin/env bash
# Starts the Wine prefix's server and its system processes (services, desktop) before the tests
# that run under Wine, away from any test's output: started by a test, they would keep that
# test's output open, and ctest waiting on it, until the end of the run. The server stays 5 s after
# the last program ends, so that the tests find it warm one after another.
set -euo pipefail
source "$(dirname "$0")/../tools/wine-env.sh"
wine_prepare_prefix
# A server left by an earlier program (the listing of the tests, say) ends on its own soon.
timeout 30 "$WINESERVER" -w 2>/dev/null || true
"${WINE_UNPRIVILEGED[@]}" "$WINESERVER" -p5 </dev/null >/dev/null 2>&1
wine_run cmd /c exit </dev/null >/dev/null 2>&1
