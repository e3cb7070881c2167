#!/usr/bin/env bash
# Prints which source folder includes which, with the number of includes: the direction the
# architecture test holds (base <- dsp <- signal <- fileio, settings <- views <- tree <- instruments,
# soundcard <- kinds <- ui/ folders in the same order <- app/). tools/target-graph.sh prints the libraries'
# links, which hold the same direction at link time: every line here but the converter's is among
# its --closure lines.
set -euo pipefail
cd "$(dirname "$0")/../src"
grep -rHoE '^#include "[a-z]+/(ui/)?' --include='*.cpp' --include='*.h' . |
  sed -E 's#^\./##; s#^([a-z]+)/(ui/)?[^:]*:\#include "#\1/\2 #; s#"##' |
  awk '{ from = $1; to = $2; sub("/$", "", from); sub("/$", "", to); if (from != to) print from " -> " to }' |
  sort | uniq -c | sort -k2,2 -k4,4
