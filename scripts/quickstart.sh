#!/usr/bin/env bash
# Installs the dependencies, builds everything and solves a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

example="${1:-examples/corner_bent_three_white_kills.ban}"
echo "== ostrel-solve $example"
./build/ostrel-solve --show "$example"
./build/ostrel-solve --threads 2 "$example"
