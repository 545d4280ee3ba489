#!/usr/bin/env bash
# Prints the share of test code against program code (non-blank, non-comment lines of tests/ against src/ and
# tools/) and fails above the limit: tests are kept to about a third of the code, so that each one earns its place.
#   scripts/test-share.sh [limit in %]        the limit defaults to 35
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-35}
count() { git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|cc|py|sh)$' | xargs -r cat | grep -c -v -E '^\s*(//.*)?$'; }
code=$(count src tools)
tests=$(count tests)
share=$((100 * tests / code))
echo "test share: $share % ($tests test lines, $code code lines; at most $limit %)"
if [ "$share" -gt "$limit" ]; then
  echo "test-share: the tests are above $limit % of the code: merge near-duplicate tests into tables, drop asserts" \
    "that another test already makes" >&2
  exit 1
fi
