#!/usr/bin/env bash
# Starts the Wine prefix's server and its system processes (services, desktop) before the
# end-to-end tests, away from any test's output: started by a test, they would keep that test's
# output open, and ctest waiting on it, until the end of the run. The server stays 5 s after
# the last program ends, so that the tests find it warm one after another.
set -euo pipefail
source "$(dirname "$0")/../../tools/wine-env.sh"
wine_prepare_prefix
# Refuses to start (and that is fine) when the prefix's server runs already.
"${WINE_UNPRIVILEGED[@]}" "$WINESERVER" -p5 </dev/null >/dev/null 2>&1 || true
wine_run cmd /c exit </dev/null >/dev/null 2>&1
