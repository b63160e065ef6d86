#!/usr/bin/env bash
# Installs the Debian 12 packages Printdeck needs to build, test and run.
# Idempotent and quiet when everything is there already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools qtbase5-doc-html
  libcups2-dev cups cups-client cups-daemon cups-bsd
  libssl-dev openssl
  xvfb xauth xdotool x11-apps imagemagick fonts-dejavu-core
  sudo passwd util-linux procps
  hp-ppd
)

# The installable-option writer is started by name through sudo or su, so
# it lives where root's PATH and sudo's secure_path find it.
install_writer() {
  local from
  from="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tools/jorPPDWrite_H"
  local to=/usr/local/bin/jorPPDWrite_H
  if ! cmp -s "$from" "$to" || [ "$(stat -c '%a %u' "$to" 2>/dev/null)" != "755 0" ]; then
    install -D -m 0755 -o root -g root "$from" "$to"
  fi
}
if [ "$(id -u)" = 0 ]; then
  install_writer
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
run_root=()
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  run_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run_root[@]}" apt-get update -qq >/dev/null
# The cups package tries to start the system's scheduler; Printdeck never
# uses it, so a failure to start it does not matter here.
"${run_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
