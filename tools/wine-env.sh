# Wine settings for the tests (sourced). Japanese locale for code page 932, no prompts, no menu
# entries in $HOME, one prefix under the build tree or /tmp.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="${MEPU_WINEPREFIX:-${TMPDIR:-/tmp}/mepu-wineprefix}"
export WINEARCH=win64
# Console programs need no display; GUI tests set DISPLAY themselves (Xvfb).

mepu_wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/.mepu-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/.mepu-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w
        touch "$WINEPREFIX/.mepu-ready"
      fi
    ) 9>"$WINEPREFIX.lock"
  fi
  wineserver -p >/dev/null 2>&1 || true
  [ -f "$WINEPREFIX/.mepu-ready" ]
}
