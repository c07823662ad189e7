#!/usr/bin/env bash
# Runs every libFuzzer harness of BUILD for SECONDS each, seeded from the
# bundled examples and from the reproducers kept in tests/fuzz/seeds. Fails
# on the first crash, leak, timeout or out-of-memory, whose reproducer stays
# in BUILD/artifacts.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
examples=$source_dir/examples
work=$build/fuzzing
rm -rf "$work"
mkdir -p "$work" "$build/artifacts"

# Seeds of the harnesses that read two files: the two joined by a NUL.
joined() { cat "$1"; printf '\0'; cat "$2"; }

seeds_of() {
  local name=$1 out=$work/seeds/$1 i=0
  mkdir -p "$out"
  case $name in
    evolution)
      for evolution in "$examples"/*/*_cvs; do
        joined "$evolution" "${evolution%_cvs}.rev" >"$out/$(basename "$evolution")"
      done ;;
    grammar)
      for g in "$examples"/*/grammar.dat; do cp "$g" "$out/$(basename "$(dirname "$g")").dat"; done ;;
    scanner)
      for example in "$examples"/*/; do
        for text in $(ls "$example"revisions/* | head -n 4); do
          joined "$example/grammar.dat" "$text" >"$out/$((i += 1))"
        done
      done ;;
    config)
      for c in "$examples"/*/config.cfg "$source_dir/config/config.cfg"; do cp "$c" "$out/$((i += 1)).cfg"; done ;;
    rcs_file|rcs_edits)
      # An RCS file of the first revisions of each example, made with ci, and
      # the edit scripts between consecutive texts, made with diff -n.
      for example in "$examples"/*/; do
        local rcs_dir
        rcs_dir=$(mktemp -d)
        previous=
        for text in $(ls -v "$example"revisions/* | head -n 5); do
          cp "$text" "$rcs_dir/file"
          if [ -z "$previous" ]; then
            (cd "$rcs_dir" && ci -q -l -t-seed -minitial file </dev/null)
          else
            (cd "$rcs_dir" && ci -q -l -mnext file </dev/null)
            { cat "$previous"; printf '\0'; diff -n "$previous" "$text" || true; } >"$work/edits.$((i += 1))"
          fi
          previous=$text
        done
        cp "$rcs_dir/file,v" "$work/rcs.$((i += 1))"
        rm -rf "$rcs_dir"
      done
      if [ "$name" = rcs_file ]; then mv "$work"/rcs.* "$out/"; else mv "$work"/edits.* "$out/"; fi
      rm -f "$work"/rcs.* "$work"/edits.* ;;
  esac
  if [ -d "$source_dir/tests/fuzz/seeds/$name" ]; then
    cp "$source_dir/tests/fuzz/seeds/$name"/* "$out/"
  fi
}

status=0
ran=0
for harness in "$build"/tests/fuzz/fuzz-*; do
  [ -x "$harness" ] && [ -f "$harness" ] || continue
  ran=$((ran + 1))
  name=${harness##*/fuzz-}
  seeds_of "$name"
  mkdir -p "$work/corpus/$name"
  echo "fuzz $name: $seconds s"
  if ! "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -print_final_stats=1 -close_fd_mask=1 -artifact_prefix="$build/artifacts/$name-" \
      "$work/corpus/$name" "$work/seeds/$name" >"$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log"
    echo "fuzz $name: FAILED, reproducer in $build/artifacts/"
    status=1
    break
  fi
  grep -E '^stat::number_of_executed_units' "$work/$name.log" | sed "s/^/fuzz $name: /"
done
if [ "$ran" = 0 ]; then
  echo "fuzz: no harness in $build/tests/fuzz"
  exit 1
fi
exit "$status"
