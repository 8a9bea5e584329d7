#!/usr/bin/env bash
# Installs what is needed, builds the player and starts it. Arguments go to the player.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvane orvane_help
exec build/dev/orvane "$@"
