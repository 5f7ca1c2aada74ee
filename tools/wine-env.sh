# Wine settings for the tests (sourced). Japanese locale for code page 932, no prompts, no menu
# entries in $HOME, one prefix under the build tree or /tmp.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="${MEPU_WINEPREFIX:-${TMPDIR:-/tmp}/mepu-wineprefix}"
export WINEARCH=win64
# Console programs need no display; GUI tests get a private one from tools/with-xvfb.sh. Wine never
# sees any other display, which may be someone's desktop.
if [ "${DISPLAY:-}" != "${MEPU_XVFB_DISPLAY:-}" ]; then unset DISPLAY; fi

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
  if ! mepu_wineserver_running; then
    wineserver -p >/dev/null 2>&1 || true
    # The first program of a server session starts Wine's own services, which live as long as the
    # server. Started from a test they would inherit its output and keep the test runner waiting
    # for it to close, so they are started here, with their output going nowhere.
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  fi
  [ -f "$WINEPREFIX/.mepu-ready" ]
}

# True while a wine server serves this prefix (its socket sits in a folder named after the
# prefix's device and inode numbers).
mepu_wineserver_running() {
  local id key socket
  id=$(stat -c '%d %i' "$WINEPREFIX" 2>/dev/null) || return 1
  set -- $id
  key=$(printf 'server-%x-%x' "$1" "$2")
  for socket in /tmp/.wine-"$(id -u)"/"$key"/socket /tmp/wine-*/"$key"/socket; do
    [ -S "$socket" ] && return 0
  done
  return 1
}
