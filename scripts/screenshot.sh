#!/usr/bin/env bash
# Remakes the README's pictures of the bundled example: docs/screenshot.png,
# the whole program's window photographed in a private Xvfb so that it does
# not depend on the desktop it is made on; and docs/screenshot-horizontal.png
# and docs/screenshot-interpolated.png, the canvas with its legends in those
# layouts, exported without any display.
# Needs the program built (make build), xdotool, xwd and netpbm (in the
# Makefile's packages).
# Usage: scripts/screenshot.sh [BUILD_DIRECTORY]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)

example=$root/examples/wordfreq/wordfreq.c_cvs
if [ -z "${QUILLON_SCREENSHOT_DISPLAY:-}" ]; then
  for layout in horizontal interpolated; do
    env -u DISPLAY "$build/quillon" --export "$root/docs/screenshot-$layout.png" --size 800x600 --legends \
      --layout "$layout" "$example"
    echo "wrote $root/docs/screenshot-$layout.png"
  done
  exec env -u DISPLAY QUILLON_SCREENSHOT_DISPLAY=1 "$root/scripts/with-display.sh" "$0" "$build"
fi

# Photographs a fresh run of the program into $1.
capture() {
  local output=$1
  "$build/quillon" "$example" >/dev/null &
  program=$!
  trap 'kill "$program" 2>/dev/null || true' EXIT

  local window=""
  for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name '^Quillon : wordfreq.c$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "screenshot: the program's window did not appear" >&2
    exit 1
  fi
  # Let the canvases finish their first frames.
  sleep 2
  mkdir -p "$(dirname "$output")"
  xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$output"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  trap - EXIT
  echo "wrote $output"
}

capture "$root/docs/screenshot.png"
