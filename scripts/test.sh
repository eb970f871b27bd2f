#!/usr/bin/env bash
# Command 2: installs what is missing, builds, starts a throwaway database server and runs all
# tests against it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build="$root/build-test"
"$root/scripts/build.sh" "$build" RelWithDebInfo
data=$(mktemp -d /tmp/prijem-test.XXXXXX)
cleanup() { "$root/scripts/db.sh" stop "$data" || true; rm -rf "$data"; }
trap cleanup EXIT
port=$("$root/scripts/db.sh" start "$data")
"$root/scripts/loaddb.sh" "$data" "$build/bin/prijem_gendemo"
export PRIJEM_TEST_PORT=$port PRIJEM_TEST_DATA=$data QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 600 "$@"
