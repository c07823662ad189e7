#!/usr/bin/env bash
# Remakes docs/screenshot.png: the program showing the bundled example,
# photographed in a private Xvfb so that the picture does not depend on the
# desktop it is made on; and docs/screenshot-horizontal.png and
# docs/screenshot-interpolated.png, the same after choosing that view mode.
# Needs the program built (make build), xdotool, xwd and netpbm (in the
# Makefile's packages).
# Usage: scripts/screenshot.sh [BUILD_DIRECTORY]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)

if [ -z "${QUILLON_SCREENSHOT_DISPLAY:-}" ]; then
  exec env -u DISPLAY QUILLON_SCREENSHOT_DISPLAY=1 "$root/scripts/with-display.sh" "$0" "$build"
fi

# Photographs a fresh run of the program into $1, after picking item $2 of
# the "View mode" choice (0 Normal, 1 Horizontal, 2 Interpolated).
capture() {
  local output=$1 mode=$2
  "$build/quillon" "$root/examples/wordfreq/wordfreq.c_cvs" >/dev/null &
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

  if [ "$mode" -gt 0 ]; then
    # The "Engines" tab, then its "View mode" choice; its menu opens on the
    # current item, Normal, and the arrow keys walk down from there.
    xdotool mousemove --window "$window" 95 45 click 1
    sleep 0.5
    xdotool mousemove --window "$window" 100 110 click 1
    sleep 0.5
    for _ in $(seq 1 "$mode"); do
      xdotool key Down
    done
    xdotool key Return
    sleep 2
  fi

  mkdir -p "$(dirname "$output")"
  xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$output"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  trap - EXIT
  echo "wrote $output"
}

capture "$root/docs/screenshot.png" 0
capture "$root/docs/screenshot-horizontal.png" 1
capture "$root/docs/screenshot-interpolated.png" 2
