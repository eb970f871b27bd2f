#!/usr/bin/env bash
# Private MariaDB server for the demo and the tests: own data folder, loopback only,
# never the system service.
#   scripts/db.sh start DIR [PORT]   initialise DIR on first use, start the server, print the port
#   scripts/db.sh stop DIR           stop the server of DIR
#   scripts/db.sh status DIR         exit 0 when the server of DIR runs
#   scripts/db.sh client DIR [args]  mariadb client connected to the server of DIR
set -euo pipefail

cmd=${1:-}; dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "použití: $0 start|stop|status|client DIR [PORT]" >&2; exit 2; }
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
sock="$dir/run/mysqld.sock"
pidf="$dir/run/mysqld.pid"
if [ ${#sock} -gt 100 ]; then
    # the server refuses socket paths longer than 107 bytes
    sock="/tmp/prijem-$(echo "$dir" | md5sum | cut -c1-12).sock"
fi

running() {
    [ -f "$pidf" ] || return 1
    local pid; pid=$(cat "$pidf" 2>/dev/null) || return 1
    [ -r "/proc/$pid/stat" ] || return 1
    local state; state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || return 1
    [ "$state" != "Z" ]
}

port_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

case "$cmd" in
status)
    running ;;
stop)
    if running; then
        pid=$(cat "$pidf")
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 1 200); do running || break; sleep 0.05; done
    fi
    ;;
client)
    shift 2
    exec mariadb --no-defaults --protocol=TCP -h 127.0.0.1 -P "$(cat "$dir/port")" -u root \
        --default-character-set=utf8mb4 "$@" ;;
start)
    if running; then cat "$dir/port"; exit 0; fi
    mkdir -p "$dir/data" "$dir/tmp" "$dir/run"
    user_opt=()
    [ "$(id -u)" = 0 ] && user_opt=(--user=root)
    if [ ! -d "$dir/data/mysql" ]; then
        mariadb-install-db --no-defaults --datadir="$dir/data" "${user_opt[@]}" \
            --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 \
            || { cat "$dir/install.log" >&2; exit 1; }
    fi
    port=${3:-}
    [ -z "$port" ] && [ -f "$dir/port" ] && port=$(cat "$dir/port")
    [ -z "$port" ] && port=$((33060 + RANDOM % 2000))
    for attempt in $(seq 1 20); do
        if port_free "$port"; then
            : >"$dir/error.log"
            mariadbd --no-defaults "${user_opt[@]}" --datadir="$dir/data" --tmpdir="$dir/tmp" \
                --socket="$sock" --pid-file="$pidf" --port="$port" --bind-address=127.0.0.1 \
                --skip-log-bin --skip-name-resolve --innodb-buffer-pool-size=256M \
                --innodb-log-file-size=64M --character-set-server=cp1250 \
                --collation-server=cp1250_general_ci --max-allowed-packet=64M \
                --log-error="$dir/error.log" >/dev/null 2>&1 &
            for _ in $(seq 1 300); do
                if grep -q "ready for connections" "$dir/error.log" 2>/dev/null; then
                    echo "$port" >"$dir/port"; echo "$port"; exit 0
                fi
                if grep -qE "Do you already have another|Can't start server|Aborting" "$dir/error.log" 2>/dev/null; then
                    break
                fi
                sleep 0.05
            done
            wait 2>/dev/null || true
        fi
        port=$((33060 + RANDOM % 2000))
    done
    echo "Databázový server se nepodařilo spustit, viz $dir/error.log" >&2
    exit 1 ;;
*)
    echo "neznámý příkaz: $cmd" >&2; exit 2 ;;
esac
