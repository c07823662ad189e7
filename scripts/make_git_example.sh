#!/bin/sh
# Makes the git example: the evolution of one of Quillon's own source files
# along the first-parent history of this repository, extracted with
# quillon-extract.
#
# Usage: scripts/make_git_example.sh [PATH [OUTDIR]]
#   PATH is the source file, relative to the repository's top (default
#   src/view/cell_batch.cpp, among the source files with the most
#   revisions when the example was first made); OUTDIR defaults to
#   examples/ followed by the file's name without its extension.
#   QUILLON_EXTRACT names the tool (default build/release/tools/quillon-extract).
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
path=${1:-src/view/cell_batch.cpp}
name=$(basename "$path")
out=${2:-$top/examples/${name%.*}}
extract=${QUILLON_EXTRACT:-$top/build/release/tools/quillon-extract}

"$extract" git "$top" "$path" "$out" --force
