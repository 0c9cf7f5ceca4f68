#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in an SPDX line near its top.
#   check-spdx.sh SOURCE-DIR
set -eu
cd "$1"
missing=$(git ls-files '*.cpp' '*.h' '*CMakeLists.txt' Makefile '*.sh' tools/install-deps .ci/run 2>/dev/null |
  while read -r f; do
    head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$f"
  done)
if [ -n "$missing" ]; then
  echo "without an SPDX line:"; echo "$missing"; exit 1
fi
