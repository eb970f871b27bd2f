#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh BUILD_DIR [BUILD_TYPE [TARGET...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
type=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
