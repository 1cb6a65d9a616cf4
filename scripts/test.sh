#!/usr/bin/env bash
# Installs, builds and runs the whole test suite (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
