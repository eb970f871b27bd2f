#!/usr/bin/env bash
# Command 1: installs what is missing, builds in Release, starts the private database with the
# demo data (kept in var/demo between runs), writes the program folder's prodej.ini and runs
# the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" Release prijem prijem_gendemo
data="$root/var/demo"
port=$("$root/scripts/db.sh" start "$data")
if ! "$root/scripts/db.sh" client "$data" -e "select 1 from prodej.prijem limit 1" >/dev/null 2>&1; then
    echo "Zakládám demonstrační databázi..."
    "$root/scripts/loaddb.sh" "$data" "$root/build/bin/prijem_gendemo" --demo
fi
printf '[LogON]\r\nIP=127.0.0.1\r\nSQLport=%s\r\nUser=root\r\nPassword=\r\nCisloPC=00\r\nStredisko=777\r\ncentrum=A\r\ntestovatVerzi=N\r\n' \
    "$port" >"$root/build/bin/prodej.ini"
echo "Databáze běží na 127.0.0.1:$port (data v $data; zastavení: scripts/db.sh stop $data)."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Není k dispozici grafický displej (DISPLAY); program spustíte na ploše příkazem $root/build/bin/prijem" >&2
    exit 0
fi
cd "$root/build/bin"
exec ./prijem "$@"
