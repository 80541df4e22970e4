# Sourced: sets up Wine for Quillory's Windows builds and keeps its files inside $WINE_ROOT.
#   WINE_ROOT  folder for the prefix and Wine's temporary files (default: build/wine)
# Windows programs run through `wine_run PROGRAM ARGS...`. The 64-bit build runs under wine64:
# the kernels of these machines run no 32-bit code, so wine32 cannot start there.

WINE_ROOT=${WINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine}
export WINEPREFIX=${WINEPREFIX:-$WINE_ROOT/prefix}
export WINEARCH=win64
export WINEDEBUG=${QUILLORY_WINEDEBUG:--all}  # e.g. QUILLORY_WINEDEBUG=+seh to look into a crash
# QUILLORY_WINEDLLOVERRIDES: more, e.g. "mfreadwrite=d" to test a system without a decoder.
export WINEDLLOVERRIDES="mscoree,mshtml=${QUILLORY_WINEDLLOVERRIDES:+;$QUILLORY_WINEDLLOVERRIDES}"
export TMPDIR=$WINE_ROOT/tmp
export XDG_RUNTIME_DIR=$WINE_ROOT/run
export PULSE_CLIENTCONFIG=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/data/pulse-client.conf
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

# Root ignores the read-only bit of files; Windows programs here run without that privilege,
# so that read-only files behave as they do for a Windows user.
WINE_UNPRIVILEGED=(setpriv --bounding-set=-dac_override,-dac_read_search
                   --inh-caps=-dac_override,-dac_read_search)

wine_run() {
  "${WINE_UNPRIVILEGED[@]}" "$WINE64" "$@"
}

wine_reg() {
  wine_run reg "$@" >/dev/null
}

# Makes the prefix once: fonts with Windows metrics, no window manager waits, no debugger.
wine_prepare_prefix() {
  mkdir -p "$TMPDIR" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  [ -f "$WINEPREFIX/.quillory-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  wine_run wineboot -i >/dev/null 2>&1
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  ln -sf /usr/share/wine/fonts/* "$fonts/"
  wine_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  wine_reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f
  wine_reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d 'no-debugger.exe' /f
  touch "$WINEPREFIX/.quillory-ready"
}

wine_stop_server() {
  "$WINESERVER" -w 2>/dev/null || true
}
