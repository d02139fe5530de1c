#!/usr/bin/env bash
# Counts test lines against product lines, as the project measures the suite's
# size: lines that are neither blank nor only a comment (// in C++, # in Python
# and shell) in the .cpp, .h, .py and .sh files git tracks. Test lines are those
# under tests/; product lines are all the others (src, scripts, bench, tools).
# The aim is 25 to 36 per cent.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  local n=0 f
  while read -r f; do
    case "$f" in
      *.cpp | *.h) n=$((n + $(grep -c -v -E '^\s*(//.*)?$' "$f" || true))) ;;
      *.py | *.sh) n=$((n + $(grep -c -v -E '^\s*(#.*)?$' "$f" || true))) ;;
    esac
  done
  echo "$n"
}
tests=$(git ls-files -- '*.cpp' '*.h' '*.py' '*.sh' | grep -E '^tests/' | count)
product=$(git ls-files -- '*.cpp' '*.h' '*.py' '*.sh' | grep -v -E '^tests/' | count)
echo "test lines: $tests"
echo "product lines: $product"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests are %.1f %% of the product (aim: 25 to 36 %%)\n", 100 * t / p }'
