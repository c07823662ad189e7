#!/usr/bin/env bash
# Remakes docs/screenshot.png: the program showing the bundled example,
# photographed in a private Xvfb so that the picture does not depend on the
# desktop it is made on. Needs the program built (make build) and xwd and
# netpbm (in the Makefile's packages).
# Usage: scripts/screenshot.sh [BUILD_DIRECTORY]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
output=$root/docs/screenshot.png

if [ -z "${QUILLON_SCREENSHOT_DISPLAY:-}" ]; then
  exec env -u DISPLAY QUILLON_SCREENSHOT_DISPLAY=1 "$root/scripts/with-display.sh" "$0" "$build"
fi

"$build/quillon" "$root/examples/wordfreq/wordfreq.c_cvs" >/dev/null &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

window=""
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
echo "wrote $output"
