#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the committed .clang-format (fix with clang-format -i on the files named).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format-check: clang-format is not installed (scripts/install-deps.sh)" >&2; exit 1; }
git ls-files -z -- src tools tests bench fuzz | grep -zE '\.(cpp|h)$' | xargs -0 -r clang-format --dry-run -Werror
