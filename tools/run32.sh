#!/usr/bin/env bash
# Runs a command in which Wine can start 32-bit Windows programs (set up by run32-setup.sh):
#
#   bash tools/run32.sh COMMAND ARGS...
#
# Where the kernel runs 32-bit code this is the command itself. Where it does not, the command
# runs in a user and mount namespace of its own (as root there, which is this user outside),
# with a binfmt_misc instance that hands i386 programs to qemu-i386: Wine's 32-bit loader and
# everything it loads. Every Wine process of a prefix that runs 32-bit programs must be started
# in here, the wineserver too: a Wine process started outside cannot start 32-bit children.
# The machine's own binfmt_misc is not touched.
set -euo pipefail
state=${RUN32_ROOT:-$(cd "$(dirname "$0")/.." && pwd)/build/run32}
mode=$(cat "$state/mode" 2>/dev/null) ||
  { echo "run32: not set up; run bash tools/run32-setup.sh" >&2; exit 127; }
[ $# -gt 0 ] || { echo "usage: bash tools/run32.sh COMMAND ARGS..." >&2; exit 2; }
[ "$mode" = native ] && exec "$@"

exec unshare --user --map-root-user --mount --propagation private /bin/sh -c '
  state=$0
  mount -t binfmt_misc quillory-run32 "$state/binfmt" ||
    { echo "run32: no binfmt_misc of its own in a user namespace (Linux 6.7 and later have it)" >&2; exit 125; }
  cat "$state/i386.rule" >"$state/binfmt/register" ||
    { echo "run32: the rule for i386 programs was refused" >&2; exit 125; }
  exec "$@"' "$state" "$@"
