#!/usr/bin/env bash
# The Linux saver as a hack of the real xscreensaver daemon: once the daemon blanks the screen,
# the animation fills it, and the daemon's SIGTERM ends the saver.
# xscreensaver refuses to run as root, so a root run (as in CI) makes an ordinary user for it.
# Usage: mepusaver_xscreensaver_test.sh MEPUSAVER (run under tools/with-xvfb.sh)
set -euo pipefail
built=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
skip() { echo "SKIPPED: $*"; exit 77; }
command -v xscreensaver >/dev/null && command -v xscreensaver-command >/dev/null ||
  skip "xscreensaver is not installed (tools/setup-debian.sh installs it)"

runner=()
if [ "$(id -u)" = 0 ]; then
  user=mepu-saver-test
  if ! id "$user" >/dev/null 2>&1; then
    useradd --system --user-group --no-create-home --shell /usr/sbin/nologin "$user" ||
      skip "cannot make the user $user that xscreensaver needs instead of root"
  fi
  runner=(setpriv --reuid="$user" --regid="$user" --clear-groups --)
fi

work=$(mktemp -d)
daemon=""
trap '[ -n "$daemon" ] && kill "$daemon" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
# A copy the daemon's user can run wherever the build lies (a home folder may be closed to it).
saver=$work/mepusaver
cp "$built" "$saver"
chmod 755 "$saver"
home=$work/home
mkdir -p "$home/.config/mepu"
python3 "$here/make_sample_mpa.py" "$work/walk.mpa" 4
chmod 644 "$work/walk.mpa"
printf '[Software\\tarvolo\\MepuScreenSaver]\nloadfile=%s\n' "$work/walk.mpa" \
  > "$home/.config/mepu/registry.ini"
# The line that README.md gives, and settings that keep the daemon quick and quiet.
cat > "$home/.xscreensaver" <<CONF
mode: one
selected: 0
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
programs: $saver -root \\n\\
CONF
[ ${#runner[@]} -gt 0 ] && chown -R "$user:" "$home"
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

as_user() {
  env -i DISPLAY="$DISPLAY" HOME="$home" PATH="$PATH" LANG=C.UTF-8 XDG_CONFIG_HOME="$home/.config" \
    "${runner[@]}" "$@"
}
as_user xscreensaver --no-splash --verbose > "$work/daemon.log" 2>&1 & daemon=$!
for _ in $(seq 50); do as_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.2; done
as_user xscreensaver-command -activate > /dev/null

# The hack runs under the daemon with -root, and its frames fill the screen.
hack=""
for _ in $(seq 100); do
  hack=$(pgrep -f -- "^$saver -{1,2}root" | head -n 1 || true)
  [ -n "$hack" ] && break
  sleep 0.1
done
[ -n "$hack" ] || { echo "the daemon did not start the saver"; cat "$work/daemon.log"; exit 1; }
sleep 1
expect_frames_change "$work" "$width" "$height" ||
  { cat "$work/daemon.log"; exit 1; }
[ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/shot1.png" "$MEPU_SHOT_DIR/xscreensaver.png"
# The daemon ends its hack with SIGTERM when it unblanks; the saver goes at once.
as_user xscreensaver-command -deactivate > /dev/null
expect_exit_within "$hack" 30 || { cat "$work/daemon.log"; exit 1; }
echo "xscreensaver: ok"
