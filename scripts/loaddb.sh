#!/usr/bin/env bash
# (Re)creates the database "prodej" on the private server of DIR from db/schema.sql, and with
# --demo [--large] fills it with the demo data: scripts/loaddb.sh DIR GENERATOR [--demo] [--large]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; gen=$2; shift 2
demo=0; large=()
for a in "$@"; do
    case "$a" in --demo) demo=1 ;; --large) large=(--large) ;; esac
done
{ cat "$root/db/create.sql"; echo "USE prodej;"; cat "$root/db/schema.sql"; } | "$root/scripts/db.sh" client "$dir"
if [ "$demo" = 1 ]; then
    "$gen" "${large[@]}" | "$root/scripts/db.sh" client "$dir" prodej
fi
