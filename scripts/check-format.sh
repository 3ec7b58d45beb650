#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source is not formatted with the repository's .clang-format, or when a source
# file or script does not carry the licence line near its top.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r f; do
  if ! clang-format "$f" | cmp -s - "$f"; then
    echo "not formatted: $f"
    bad=1
  fi
done < <(git ls-files '*.cpp' '*.h')
while IFS= read -r f; do
  if ! head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no licence line: $f"
    bad=1
  fi
done < <(git ls-files '*.cpp' '*.h' '*.c' '*.py' '*.sh' '*.cmake' '*CMakeLists.txt' '.ci/run')
exit $bad
