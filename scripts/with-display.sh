#!/usr/bin/env bash
# Runs a command under an X display: the session's own when DISPLAY is set,
# otherwise a private Xvfb with Mesa's software renderer, which gives the
# 8-bit alpha channel the drawing relies on.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

export LIBGL_ALWAYS_SOFTWARE=1
# Xvfb picks a free display number itself and writes it to the file once it
# listens there, so that runs starting at the same moment never share one.
# Without -noreset the server resets whenever its last client leaves, and a
# client connecting in that moment (a window manager started right after a
# probe of the display) is turned away.
number_file=$(mktemp)
Xvfb -displayfd 3 -noreset -screen 0 1600x1200x24 +extension GLX -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 1 200); do
  [ -s "$number_file" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
number=$(tr -dc '0-9' <"$number_file")
if [ -z "$number" ] || ! kill -0 "$server" 2>/dev/null; then
  echo "with-display: no Xvfb could be started" >&2
  exit 1
fi
export DISPLAY=":${number}"
status=0
"$@" || status=$?
exit "$status"
