#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing for those present.
set -euo pipefail

want=(cmake g++ make pkg-config ccache clang-format libgtest-dev googletest libbenchmark-dev clang libclang-rt-dev
      qt6-base-dev libgl-dev libxcb1-dev fonts-ipafont fonts-ipafont-gothic
      g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
      wine wine64 xvfb xdotool x11-utils imagemagick locales python3
      xscreensaver openbox desktop-file-utils libglib2.0-bin liblnk-utils x11-xserver-utils
      libwayland-dev qt6-wayland weston xwayland
      libgif-dev gifsicle shared-mime-info appstream lintian lame dpkg-dev file)
[ "${1:-}" = "--editor-only" ] && want=(cmake g++ make pkg-config qt6-base-dev libgl-dev libxcb1-dev libwayland-dev fonts-ipafont fonts-ipafont-gothic)

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine only uses code page 932 when the Japanese locale exists.
if [ "${1:-}" != "--editor-only" ] && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  $sudo_cmd locale-gen >/dev/null
fi
