#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: the programs run from bin, the desktop finds the type,
# the opener, the icon and the thumbnailer there, and the installed editor's first-run setup
# completes with Enter alone. Run on a display of its own (tools/with-xvfb.sh).
# Usage: installed_tree_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
here=$(dirname "$0")
work=$(mktemp -d)
editor=""
trap '[ -z "$editor" ] || kill "$editor" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for program in mepu mepusaver m2bmp mepu-thumbnailer; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not runnable"
done
program_dir=$(dirname "$(readlink -f "$prefix/bin/mepu")")
for image in sysmenu animmenu stpmenu editmenu; do
  [ -f "$program_dir/$image.dib" ] || fail "$image.dib is not beside the editor"
done
echo "layout: ok"

# A desktop account of its own, which sees the prefix as a system folder.
export PATH=$prefix/bin:$PATH HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share
export XDG_DATA_HOME=$work/data-home
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
out=$(update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $out"
[ -z "$out" ] || fail "update-mime-database: $out"
update-desktop-database "$prefix/share/applications"
bash "$here/desktop_checks.sh" "$prefix" "$work"

# First run: each box and the file dialog (which opens on the running program) takes Enter.
QT_QPA_PLATFORM=xcb "$prefix/bin/mepu" >"$work/editor.log" 2>&1 &
editor=$!
config=$XDG_CONFIG_HOME/mepu/mepusys.ini
titles='めぷへようこそ|インストールされた場所|ようこそ「めぷ」へ'
for _ in $(seq 100); do
  [ -s "$config" ] && break
  kill -0 "$editor" 2>/dev/null || { cat "$work/editor.log"; fail "the editor ended"; }
  window=$(xdotool search --onlyvisible --name "$titles" 2>/dev/null | tail -1 || true)
  if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window" key Return 2>/dev/null || true
  fi
  sleep 0.3
done
[ "$(cat "$config" 2>/dev/null)" = "$program_dir/" ] ||
  fail "the first-run setup wrote '$(cat "$config" 2>/dev/null)', not $program_dir/"
sleep 1
kill -0 "$editor" 2>/dev/null || fail "the editor did not start after its setup"
echo "first run: ok"
