#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Printdeck and runs the whole
# test suite: the normal build, then the non-GUI core under AddressSanitizer
# and UndefinedBehaviorSanitizer.
#
# Started as root (as CI does), it creates the unprivileged user
# "printdeck-test", copies the source tree to a place that user can read,
# and runs the build and the suite as that user: the panel refuses to run
# as root.
set -euo pipefail

src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
test_user=printdeck-test

bash "$src/scripts/setup.sh"

if [ "$(id -u)" = 0 ]; then
  if ! id "$test_user" >/dev/null 2>&1; then
    useradd --create-home --shell /bin/bash "$test_user"
  fi
  # The maker's installer creates the shared parent of the per-user
  # directories, writable by everyone, sticky.
  mkdir -p /usr/share/jorvane
  chmod 1777 /usr/share/jorvane

  stage=/var/tmp/printdeck-test
  mkdir -p "$stage/src"
  chown "$test_user:" "$stage" "$stage/src"
  # Fresh copy of the sources (the build directories under it are kept so
  # that a second run is incremental).
  find "$stage/src" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
  tar -C "$src" --exclude='./build' --exclude='./build-*' --exclude='./.git' -cf - . | tar -C "$stage/src" -xf -
  chown -R "$test_user:" "$stage/src"

  # A temporary root password and a sudo rule for the root-authorization
  # tests; both are undone when this script ends, also on failure or
  # interruption (root's previous password entry is restored exactly).
  trap 'bash "$src/scripts/rootauth-test-env.sh" restore' EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  bash "$src/scripts/rootauth-test-env.sh" setup "$test_user"

  home=$(getent passwd "$test_user" | cut -d: -f6)
  set +e
  runuser -u "$test_user" -- env -i \
    HOME="$home" USER="$test_user" LOGNAME="$test_user" \
    PATH="/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin" \
    LANG=C.UTF-8 CI="${CI:-}" \
    bash "$stage/src/scripts/test.sh"
  rc=$?
  set -e
  exit $rc
fi

build=${PRINTDECK_BUILD_ROOT:-$src/build}
jobs=$(nproc)

echo "== build (tests) =="
cmake -S "$src" -B "$build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/test" -j"$jobs" -- --no-print-directory
echo "== tests =="
( cd "$build/test" && ctest --output-on-failure -j"$jobs" )

echo "== build (core under ASan + UBSan) =="
cmake -S "$src" -B "$build/asan" -DCMAKE_BUILD_TYPE=Debug -DPRINTDECK_SANITIZE=ON >/dev/null
cmake --build "$build/asan" -j"$jobs" -- --no-print-directory
echo "== core tests under ASan + UBSan =="
( cd "$build/asan" && ctest --output-on-failure -j"$jobs" )
