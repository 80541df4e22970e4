#!/usr/bin/env bash
# Builds Quillory if needed and runs it under Wine.
#
#   bash tools/run.sh
#
# The program is the 32-bit quillory.exe; this script builds and runs the 64-bit build of the
# same sources under wine64, because the kernels of the machines it is made on run no 32-bit
# code (Wine's 32-bit loader cannot start there).
#
# When your Wine prefix (WINEPREFIX, else ~/.wine) is a 64-bit prefix with the game's
# installation record, the program runs there, on your game. Otherwise it runs in a private
# prefix below the build folder, with a demo game folder and its record: the program then
# creates the communication text file from its 40 default texts and shows them.
#
# With a display (DISPLAY set and reachable) the program opens on it and the script ends when
# you close it. Without one it runs on a virtual screen (Xvfb); the script saves a screenshot
# of the window, says where, and closes the program.
#
#   QUILLORY_RUN_BUILD  build folder (default: build/run)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${QUILLORY_RUN_BUILD:-$root/build/run}
demo_dir='C:\Games\Secret Ops\'

bash tools/deps.sh

echo "run: building the program (64-bit, see the note at the top of tools/run.sh)"
cmake -S . -B "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DQUILLORY_TESTS=OFF >/dev/null
cmake --build "$build/win64" --target quillory -j "$(nproc)" >/dev/null
exe=$build/win64/app/quillory.exe
version=$(sed -n 's/^#define QUILLORY_VERSION "\(.*\)"$/\1/p' "$build/win64/generated/app/version.h")
caption="Quillory  v$version"

# The screen: the user's, or a virtual one of our own. Wine takes the display of its first
# program in a session, so this comes before any Wine command.
source tools/xvfb.sh
program=
trap 'kill $program 2>/dev/null || true; xvfb_stop' EXIT
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  virtual=false
else
  virtual=true
  xvfb_start
fi

# True when the prefix is a 64-bit one whose 32-bit registry view has the game's record.
has_game_record() {
  local registry=$1/system.reg
  local key='Software\\Wow6432Node\\Origin Systems\\Wing Commander Secret Ops'
  [ -f "$registry" ] && grep -q '^#arch=win64' "$registry" &&
    grep -A3 -F "[$key]" "$registry" | grep -q '^"Installed To:"='
}

export WINE_ROOT=$build/wine
user_prefix=${WINEPREFIX:-$HOME/.wine}
if has_game_record "$user_prefix"; then
  echo "run: using your Wine prefix $user_prefix, which has the game's installation record"
  export WINEPREFIX=$user_prefix
  source tools/wine-env.sh
  mkdir -p "$TMPDIR" "$XDG_RUNTIME_DIR"
  wine_program=("$WINE64")
  private=false
else
  echo "run: your Wine prefix has no record of the game; using a private one with a demo game"
  export WINEPREFIX=$WINE_ROOT/prefix
  source tools/wine-env.sh
  wine_stop_server  # a session of an earlier run may still hold another display
  wine_prepare_prefix
  wine_reg add 'HKLM\SOFTWARE\Origin Systems\Wing Commander Secret Ops' /v 'Installed To:' \
    /t REG_SZ /d "$demo_dir" /f /reg:32
  mkdir -p "$WINEPREFIX/drive_c/Games/Secret Ops"
  # A window manager frames and places the window on a real screen; a virtual one has none.
  wine_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$($virtual && echo N || echo Y)" /f
  wine_program=("${WINE_UNPRIVILEGED[@]}" "$WINE64")
  private=true
fi

if ! $virtual; then
  echo "run: starting $exe on $DISPLAY"
  status=0
  "${wine_program[@]}" "$exe" || status=$?
  $private && wine_stop_server
  exit "$status"
fi

echo "run: no display; starting $exe on a virtual screen"
# Started directly, so that $! is the program's own process.
"${wine_program[@]}" "$exe" &
program=$!
# The window's line in the screen's window tree: 0x... "caption": (...)  WxH+x+y  +X+Y
window_line() { xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\":" | head -n1 || true; }
for _ in $(seq 300); do
  [ -n "$(window_line)" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
sleep 1  # let it draw
geometry=$(window_line | awk '{ size = $(NF - 1); sub(/\+.*/, "", size); print size $NF }')
shot=$build/quillory.png
if [ -n "$geometry" ]; then
  import -window root -crop "$geometry" +repage "$shot"
else
  echo "run: the window did not show; the screenshot is of the whole screen" >&2
  import -window root "$shot"
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=
$private && wine_stop_server
echo "run: screenshot of the window saved in $shot"
