#!/usr/bin/env bash
# Prints which source folder's library links which, from CMake's own target graph of a fresh configure:
# the direction the linker holds. A folder may use what it links and everything that links in turn.
# Folders are named as tools/include-graph.sh names them ("views/ui" is the library marlune_views_ui).
# The converter links none of them (it compiles the one base file it shares, the replacing file).
#   --closure   every folder each folder may use: each line tools/include-graph.sh prints, the
#               converter's aside, is one of these
#   --dot FILE  also writes the graph for Graphviz (dot -Tsvg FILE -o layers.svg)
set -euo pipefail
closure=0
dot=
while (($#)); do
  case "$1" in
    --closure) closure=1 ;;
    --dot) dot=$(realpath -m "$2"); shift ;;
    *) echo "usage: $0 [--closure] [--dot FILE]" >&2; exit 2 ;;
  esac
  shift
done
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -S . -B "$scratch/build" -G Ninja -DMARLUNE_BUILD_TESTS=OFF -DMARLUNE_LAYER_CHECK=OFF --graphviz="$scratch/targets.dot" >/dev/null
# CMake ends each edge's line with "// from -> to". marlune_core and marlune_ui only name the top
# folders for the programs that link everything.
sed -nE 's#.*// marlune_([a-z_]+) -> marlune_([a-z_]+)$#\1 \2#p' "$scratch/targets.dot" |
  awk '$1 != "core" && $1 != "ui" { gsub("_ui", "/ui"); print }' | sort -u >"$scratch/edges"
if ((closure)); then
  awk '{ uses[$1] = uses[$1] " " $2 }
       END {
         for (from in uses) {
           split("", seen)
           todo = uses[from]
           while (todo != "") {
             n = split(todo, step, " ")
             todo = ""
             for (i = 1; i <= n; ++i)
               if (!(step[i] in seen)) { seen[step[i]] = 1; todo = todo " " uses[step[i]] }
           }
           for (to in seen) print from " -> " to
         }
       }' "$scratch/edges" | sort
else
  awk '{ print $1 " -> " $2 }' "$scratch/edges"
fi
if [ -n "$dot" ]; then
  { echo 'digraph layers {'; echo '  rankdir = BT;'; awk '{ print "  \"" $1 "\" -> \"" $2 "\";" }' "$scratch/edges"; echo '}'; } >"$dot"
fi
