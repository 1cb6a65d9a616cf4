#!/usr/bin/env bash
# Installs, builds and starts Kelvane on the database beside it (empty on a new build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/bin/kelvane "$@"
