# Shared by the scripts that drive the real program from outside: a scratch
# folder removed at exit, counted failures, polling, and starting, awaiting
# and stopping the program. Source it after setting `program` (and
# `extra_tools`, any tool needed beyond xdotool, xprop and xwininfo).

for tool in xdotool xprop xwininfo ${extra_tools:-}; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
pid=""
manager=""
failures=0

cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Fontconfig, which the toolkit loads to draw text, keeps its caches until
# the process ends; in a sanitizer build the leak checker would turn every
# clean exit into a failure.
printf 'leak:libfontconfig.so\n' >"$work/leaks.supp"
export LSAN_OPTIONS="suppressions=$work/leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Polls `command` every tenth of a second until it succeeds or `tries` run out.
retry() {
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Starts the program with the given arguments in the given directory and
# waits for its window to be mapped; sets pid and window.
start() {
  local directory=$1
  shift
  (cd "$directory" && exec "$program" "$@") >"$work/output" 2>&1 &
  pid=$!
  window=""
  find_window() {
    window=$(xdotool search --onlyvisible --name '^Quillon( : .*)?$' 2>/dev/null | head -n 1)
    [ -n "$window" ]
  }
  if ! retry 300 find_window; then
    fail "no window appeared for: $*"
    return 1
  fi
}

program_ended() {
  ! kill -0 "$pid" 2>/dev/null
}

# Waits for the program to end; sets status to its exit status, or to
# "running" when it does not end.
await_exit() {
  status=running
  retry "${1:-100}" program_ended || return
  wait "$pid"
  status=$?
  pid=""
  # A sanitizer's report at exit explains an unexpected status.
  [ "$status" = 0 ] || cat "$work/output"
}

stop() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
  fi
}

finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
}
