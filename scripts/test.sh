#!/usr/bin/env bash
# Installs what is missing, builds the sanitized debug configuration and runs
# every test (engine, codec, batch tool, corpus replay and the window tests on
# the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
ctest --preset dev -j "$(nproc)"
