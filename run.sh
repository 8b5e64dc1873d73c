#!/usr/bin/env bash
# Set-up, build and start Veldtrak Tanvo with its bundled worksheets.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh
exec build/veldtrak "$@"
