#!/usr/bin/env bash
# Runs Printdeck against a private demo CUPS with sample Jorvane queues.
#
#   bash scripts/demo.sh
#
# Installs what is missing (scripts/setup.sh), builds the panel in
# build/demo, starts a private cupsd as the current user (never the
# machine's own), adds the demo queues and opens the panel against it.
#
# With a reachable X display the window opens and the demo ends when it is
# closed. Without one the panel runs under Xvfb: the script saves a
# screenshot of the main dialog as it opens and one after the first queue
# has been selected (clicked from outside with xdotool), prints their paths
# and ends.
#
# Started as root it prepares the machine (the demo user "printdeck-demo",
# the shared directory /usr/share/jorvane/), copies the sources to a place
# that user can read and runs the rest as that user: the panel refuses to
# run as root.
set -euo pipefail

src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
demo_user=printdeck-demo

say() { echo "demo: $*" >&2; }

display_reachable() {
  [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1
}

if [ "$(id -u)" = 0 ]; then
  bash "$src/scripts/setup.sh"
  if ! id "$demo_user" >/dev/null 2>&1; then
    useradd --create-home --shell /bin/bash "$demo_user"
  fi
  # The maker's installer creates the shared parent of the per-user
  # directories, writable by everyone, sticky.
  mkdir -p /usr/share/jorvane
  chmod 1777 /usr/share/jorvane

  # ---- jorPPDWrite_H for the demo (root side) --------------------------
  # The installable-option writer is installed here, before dropping to
  # the demo user, so that "Apply" with changed installable options can
  # run it through sudo/su: scripts/setup.sh (run above as root) puts it
  # into /usr/local/bin. sudo asks for root's password (as su does) and
  # keeps the private server's environment for the writer alone.
  [ -x /usr/local/bin/jorPPDWrite_H ] || { say "jorPPDWrite_H is not installed"; exit 1; }
  demo_sudoers=$(mktemp)
  printf '%s\n' \
    "Defaults:$demo_user env_keep += \"CUPS_SERVER CUPS_SERVERROOT\"" \
    "Defaults:$demo_user rootpw" \
    "Defaults:$demo_user !mail_badpass" \
    "$demo_user ALL=(root) /usr/local/bin/jorPPDWrite_H" >"$demo_sudoers"
  if visudo -cqf "$demo_sudoers" >/dev/null 2>&1; then
    install -m 0440 -o root -g root "$demo_sudoers" /etc/sudoers.d/printdeck-demo
  fi
  rm -f "$demo_sudoers"
  # ----------------------------------------------------------------------

  stage=/var/tmp/printdeck-demo
  mkdir -p "$stage/src"
  chown "$demo_user:" "$stage" "$stage/src"
  # Fresh copy of the sources; the build directory under it is kept so
  # that a second run is incremental.
  find "$stage/src" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
  tar -C "$src" --exclude=./build --exclude='./build-*' --exclude=./.git -cf - . \
    | tar -C "$stage/src" -xf -
  chown -R "$demo_user:" "$stage/src"

  home=$(getent passwd "$demo_user" | cut -d: -f6)
  pass_display=()
  if display_reachable; then
    # Hand the demo user the cookie of the display root is using.
    if command -v xauth >/dev/null 2>&1 && xauth list "$DISPLAY" 2>/dev/null | grep -q .; then
      xauth extract - "$DISPLAY" 2>/dev/null \
        | runuser -u "$demo_user" -- xauth -f "$home/.Xauthority" merge - 2>/dev/null || true
    fi
    pass_display=(DISPLAY="$DISPLAY" XAUTHORITY="$home/.Xauthority")
  fi
  exec runuser -u "$demo_user" -- env -i \
    HOME="$home" USER="$demo_user" LOGNAME="$demo_user" \
    PATH="/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin" \
    LANG="${LANG:-C.UTF-8}" "${pass_display[@]}" \
    PRINTDECK_DEMO_SETUP_DONE=1 PRINTDECK_DEMO_OUT="${PRINTDECK_DEMO_OUT:-}" \
    bash "$stage/src/scripts/demo.sh"
fi

[ -n "${PRINTDECK_DEMO_SETUP_DONE:-}" ] || bash "$src/scripts/setup.sh"

if [ ! -d /usr/share/jorvane ]; then
  if mkdir -p /usr/share/jorvane 2>/dev/null && chmod 1777 /usr/share/jorvane; then
    :
  elif sudo -n true 2>/dev/null; then
    sudo -n mkdir -p /usr/share/jorvane && sudo -n chmod 1777 /usr/share/jorvane
  else
    say "cannot create /usr/share/jorvane/ (run once as root, or create it with mode 1777);"
    say "the panel will not be able to keep its settings files"
  fi
fi

# ---- build -----------------------------------------------------------------
build=${PRINTDECK_BUILD_ROOT:-$src/build}/demo
say "building the panel in $build"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DPRINTDECK_BENCH=OFF >/dev/null
cmake --build "$build" --target printdeck -j"$(nproc)" -- --no-print-directory >/dev/null
panel=$build/printdeck

# ---- private CUPS ----------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/printdeck-demo.XXXXXX")
cupsd_pid=''
xvfb_pid=''
panel_pid=''
cleanup() {
  set +e
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null && wait "$panel_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=''
for _ in $(seq 50); do
  candidate=$(( 20000 + RANDOM % 40000 ))
  if port_free "$candidate"; then port=$candidate; break; fi
done
[ -n "$port" ] || { say "no free loopback port found"; exit 1; }

mkdir -p "$work/cups"
bash "$src/scripts/private-cups.sh" "$work/cups" "$port" >"$work/cupsd.out" 2>&1 &
cupsd_pid=$!
for _ in $(seq 200); do
  port_free "$port" || break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.05
done
if port_free "$port"; then
  say "the private cupsd did not start:"
  cat "$work/cupsd.out" "$work/cups/log/error_log" 2>/dev/null >&2 || true
  exit 1
fi
export CUPS_SERVER="localhost:$port"
export CUPS_SERVERROOT="$work/cups"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  mkdir -m 0700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
fi
say "private CUPS on $CUPS_SERVER (pid $cupsd_pid)"

# Sample queues: three Jorvane models of both brands, and one of another
# maker that the panel must not list. They print into /dev/null: the demo
# never sends anything over the network.
add_queue() {  # name ppd device-uri
  lpadmin -p "$1" -E -v "$3" -P "$2" 2>&1 | grep -v 'deprecated' >&2 || true
}
add_queue Jorvane_C7150 "$src/tests/fixtures/jorvane-color-finisher.ppd" file:/dev/null
add_queue Jorvane_M4050 "$src/scripts/demo/jorvane-mono-m4050.ppd" file:/dev/null
add_queue VELD_Z3020 "$src/scripts/demo/zeveld-color-z3020.ppd" file:/dev/null
add_queue Tallix_T10 "$src/scripts/demo/tallix-t10.ppd" file:/dev/null
lpstat -v >&2 || true

# ---- jorPPDWrite_H for the demo (user side) ------------------------------
# The writer reaches this private server through CUPS_SERVER and
# CUPS_SERVERROOT (exported above; su keeps them, and so does sudo for the
# demo user). The panel starts it by name through sudo or su; both ask for
# root's password.
if command -v jorPPDWrite_H >/dev/null 2>&1; then
  say "installable options are written by $(command -v jorPPDWrite_H) (needs root's password)"
else
  say "jorPPDWrite_H is not installed: changing installable options will fail"
fi
# ----------------------------------------------------------------------

# ---- run the panel ---------------------------------------------------------
if display_reachable; then
  say "opening the panel on $DISPLAY (close it to end the demo)"
  "$panel" &
  panel_pid=$!
  wait "$panel_pid" || true
  panel_pid=''
  exit 0
fi

say "no display: running under Xvfb and taking screenshots"
out=${PRINTDECK_DEMO_OUT:-$build/screenshots}
mkdir -p "$out"
rm -f "$out/01-main-dialog.png" "$out/02-first-queue-selected.png"

: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { say "Xvfb did not start"; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

# The first start asks for consent to usage data collection. Nobody is
# there to answer it, so the demo records "no" for the demo user.
consent="/usr/share/jorvane/$USER/Settings"
if [ ! -e "$consent" ]; then
  "$panel" --telemetry false || true
  say "recorded \"no\" to usage data collection for $USER ($consent)"
fi

"$panel" &
panel_pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Printdeck' 2>/dev/null | head -n1 || true)
[ -n "$wid" ] || { say "the panel window did not appear"; exit 1; }
sleep 1.5
import -window root "$out/01-main-dialog.png"

# Click the first row of the printer table: the Printer tab is the first
# tab; its table's first row lies just below the header. The window title
# gains " - QUEUE" once a queue is selected.
selected=''
for y in 62 70 56 78 50 86; do
  for x in 230 300 180; do
    xdotool mousemove --window "$wid" "$x" "$y" click 1
    sleep 0.7
    title=$(xdotool getwindowname "$wid" 2>/dev/null || true)
    case $title in
      *' - '*) selected=$title; break 2 ;;
    esac
  done
done
if [ -z "$selected" ]; then
  say "could not select the first queue by clicking (title: ${title:-?})"
fi
sleep 1.5
import -window root "$out/02-first-queue-selected.png"

kill "$panel_pid" 2>/dev/null || true
wait "$panel_pid" 2>/dev/null || true
panel_pid=''

say "window title after the click: ${selected:-(no queue selected)}"
echo "$out/01-main-dialog.png"
echo "$out/02-first-queue-selected.png"
