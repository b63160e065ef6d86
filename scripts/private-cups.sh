#!/usr/bin/env bash
# Runs a private CUPS scheduler as the current (unprivileged) user:
#
#   bash scripts/private-cups.sh DIR PORT
#
# writes cupsd.conf and cups-files.conf into DIR (which must exist and be
# empty or a previous bed of this script), then replaces itself with
# `cupsd -f` listening on 127.0.0.1:PORT only. Clients reach it with
# CUPS_SERVER=localhost:PORT and CUPS_SERVERROOT=DIR (libcups reads the
# PPDs of a "localhost" server straight from $CUPS_SERVERROOT/ppd).
#
# The scheduler gets SIGKILL when the process that started it dies, so a
# crashed test or demo never leaves it behind. It never touches the
# machine's own cupsd, its configuration or its sockets.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 DIR PORT" >&2
  exit 2
fi
dir=$1
port=$2
case $port in
  ''|*[!0-9]*) echo "private-cups: bad port: $port" >&2; exit 2 ;;
esac
[ -d "$dir" ] || { echo "private-cups: no such directory: $dir" >&2; exit 2; }
dir=$(cd "$dir" && pwd)

mkdir -p "$dir/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" "$dir/log"
chmod 0700 "$dir/spool/tmp"
: > "$dir/printcap"

cat > "$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
EOF

cat > "$dir/cupsd.conf" <<EOF
LogLevel warn
Listen 127.0.0.1:$port
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
DefaultEncryption Never
MaxLogSize 0
<Location />
  Order allow,deny
  Allow localhost
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

setpriv=()
if command -v setpriv >/dev/null 2>&1; then
  setpriv=(setpriv --pdeathsig KILL)
fi
exec "${setpriv[@]}" /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf"
