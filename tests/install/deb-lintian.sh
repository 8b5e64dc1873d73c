#!/usr/bin/env bash
# Builds the .deb with CPack and lets lintian check it: no errors allowed.
#   deb-lintian.sh BUILDDIR
set -euo pipefail
build="$(realpath "$1")"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null)
deb="$(ls "$out"/*.deb)"
report="$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)"
echo "$report"
! grep -q '^E: ' <<<"$report"
