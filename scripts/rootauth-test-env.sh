#!/usr/bin/env bash
# Root-side preparation for the root-authorization tests (run as root):
#
#   bash scripts/rootauth-test-env.sh setup USER
#   bash scripts/rootauth-test-env.sh restore
#
# setup gives root a random temporary password that holds a double quote,
# a single quote, a dollar sign, a backslash and blanks, hands it to USER
# in ~USER/.printdeck-root-password (owned by USER, mode 0600), and lets
# USER run the PPD writer through sudo with root's password, keeping the
# private CUPS server's environment. restore undoes all of it and puts
# root's previous /etc/shadow entry back exactly; it is safe to run at any
# time, also when setup never ran or stopped half-way.
set -euo pipefail

state=/var/lib/printdeck-test-rootauth
saved_line=$state/root-shadow-line
saved_pwfile=$state/password-file
sudoers=/etc/sudoers.d/printdeck-test
writer=/usr/local/bin/jorPPDWrite_H

need_root() {
  [ "$(id -u)" = 0 ] || { echo "rootauth-test-env: must run as root" >&2; exit 1; }
}

restore() {
  need_root
  rm -f "$sudoers"
  if [ -f "$saved_pwfile" ]; then
    rm -f -- "$(cat "$saved_pwfile")"
  fi
  if [ -s "$saved_line" ]; then
    local tmp=/etc/.shadow.printdeck.$$
    (
      umask 077
      ROOTLINE=$(cat "$saved_line") awk '
        BEGIN { line = ENVIRON["ROOTLINE"]; done = 0 }
        index($0, "root:") == 1 && !done { print line; done = 1; next }
        { print }
      ' /etc/shadow > "$tmp"
    )
    chown --reference=/etc/shadow "$tmp"
    chmod --reference=/etc/shadow "$tmp"
    mv -f "$tmp" /etc/shadow
  fi
  rm -rf "$state"
}

setup() {
  need_root
  local user=$1
  local home
  home=$(getent passwd "$user" | cut -d: -f6)
  [ -n "$home" ] && [ -d "$home" ] || { echo "rootauth-test-env: no home for $user" >&2; exit 1; }
  for tool in sudo su chpasswd visudo; do
    command -v "$tool" >/dev/null || { echo "rootauth-test-env: $tool missing" >&2; exit 1; }
  done

  # Leftovers of a run that was killed before it could clean up.
  restore

  mkdir -m 0700 "$state"
  ( umask 077; grep '^root:' /etc/shadow > "$saved_line" )
  [ -s "$saved_line" ] || { echo "rootauth-test-env: no root entry in /etc/shadow" >&2; exit 1; }

  local pwfile=$home/.printdeck-root-password
  printf '%s' "$pwfile" > "$saved_pwfile"

  local random password
  random=$(head -c 9 /dev/urandom | od -An -tx1 | tr -d ' \n')
  password="Pd \"q' \$x\\ y $random"
  printf 'root:%s\n' "$password" | chpasswd

  rm -f -- "$pwfile"
  install -m 0600 -o "$user" -g "$(id -gn "$user")" /dev/null "$pwfile"
  printf '%s' "$password" > "$pwfile"

  local tmp=$state/sudoers
  cat > "$tmp" <<EOF
Defaults:$user env_keep += "CUPS_SERVER CUPS_SERVERROOT"
Defaults:$user rootpw
Defaults:$user !mail_badpass
Defaults:$user !lecture
$user ALL=(root) $writer
EOF
  visudo -cqf "$tmp" >/dev/null
  install -m 0440 -o root -g root "$tmp" "$sudoers"
}

case ${1:-} in
  setup) [ $# -eq 2 ] || { echo "usage: $0 setup USER" >&2; exit 2; }; setup "$2" ;;
  restore) restore ;;
  *) echo "usage: $0 setup USER | restore" >&2; exit 2 ;;
esac
