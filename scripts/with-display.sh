#!/usr/bin/env bash
# Runs a command under an X display: the session's own when DISPLAY is set,
# otherwise a private Xvfb with Mesa's software renderer, which gives the
# 8-bit alpha channel the drawing relies on.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

export LIBGL_ALWAYS_SOFTWARE=1
for number in $(seq 90 140); do
  [ -e "/tmp/.X${number}-lock" ] && continue
  Xvfb ":${number}" -screen 0 1600x1200x24 +extension GLX -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${number}" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$server" 2>/dev/null; then
    trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
    export DISPLAY=":${number}"
    status=0
    "$@" || status=$?
    exit "$status"
  fi
done
echo "with-display: no Xvfb could be started" >&2
exit 1
