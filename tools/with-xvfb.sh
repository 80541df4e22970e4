#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb screen, which ends with it.
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
trap xvfb_stop EXIT
xvfb_start
"$@"
