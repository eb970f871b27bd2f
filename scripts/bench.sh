#!/usr/bin/env bash
# Benchmarks with the large demo data (kept in var/bench; generated on first use, a few minutes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" Release bench_journal bench_report bench_editor bench_history prijem_gendemo
data="$root/var/bench"
port=$("$root/scripts/db.sh" start "$data")
if ! "$root/scripts/db.sh" client "$data" -e "select 1 from prodej.prijem where stredisko='777' limit 99999,1" 2>/dev/null | grep -q 1; then
    echo "Zakládám velkou databázi (100 000 příjemek)..."
    "$root/scripts/loaddb.sh" "$data" "$root/build/bin/prijem_gendemo" --demo --large
fi
export PRIJEM_BENCH_PORT=$port
[ -z "${DISPLAY:-}" ] && export QT_QPA_PLATFORM=offscreen
"$root/build/bin/bench_journal"
"$root/build/bin/bench_report"
"$root/build/bin/bench_editor"
"$root/build/bin/bench_history"
