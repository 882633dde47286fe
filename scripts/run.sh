#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it against the
# simulated ECU.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset default
cmake --build --preset default
exec bash scripts/start.sh build/default "$@"
