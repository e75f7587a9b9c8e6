#!/usr/bin/env bash
# Configures and builds Tessaly in build/ (or the folder given as $1 with the
# remaining arguments passed to CMake).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
launcher=()
# A compiler cache makes rebuilds in fresh clones and sibling build folders cheap.
# Paths are hashed relative to the clone, so clones share the cache.
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir"
