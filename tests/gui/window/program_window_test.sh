#!/usr/bin/env bash
# The real program under an X display, driven from outside as a user would:
# window size and its lower bound, the title before and after opening,
# closing and leaving through the menu's keys, a path that does not open.
# Usage: program_window_test.sh QUILLON EXAMPLE_DIRECTORY
set -uo pipefail

program=$(realpath "$1")
example=$2

for tool in xdotool xprop xwininfo openbox; do
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

has_window_manager() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The size limits only hold where a window manager enforces them.
if ! has_window_manager; then
  openbox --sm-disable >"$work/manager" 2>&1 &
  manager=$!
  # A loaded machine can take several seconds to bring it up.
  retry 300 has_window_manager || {
    echo "FAIL: the window manager did not start"
    cat "$work/manager"
    exit 1
  }
fi

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

title() {
  xprop -id "$window" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z_]*) = "\(.*\)"$/\1/p'
}

title_is() {
  [ "$(title)" = "$1" ]
}

expect_title() {
  retry 50 title_is "$1" || fail "title is '$(title)', expected '$1'"
}

size() {
  local info
  info=$(xwininfo -id "$window" 2>/dev/null) || return 1
  echo "$(echo "$info" | sed -n 's/^ *Width: //p')x$(echo "$info" | sed -n 's/^ *Height: //p')"
}

size_is() {
  [ "$(size)" = "$1" ]
}

press() {
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1
  xdotool key --clearmodifiers "$1"
}

program_ended() {
  ! kill -0 "$pid" 2>/dev/null
}

# Waits for the program to end; sets status to its exit status, or to
# "running" when it does not end.
await_exit() {
  status=running
  retry 100 program_ended || return
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

chooser_shown() {
  xdotool search --onlyvisible --name '^Open File\?$' >/dev/null 2>&1
}

chooser_gone() {
  ! chooser_shown
}

echo "case: the example opened at start, resized, closed and left with Ctrl+Q"
if start "$example" "$example/wordfreq.c_cvs"; then
  expect_title "Quillon : wordfreq.c"
  retry 50 size_is 650x726 || fail "window is $(size), expected 650x726"
  xprop -id "$window" WM_NORMAL_HINTS | grep -q 'minimum size: 650 by 726' ||
    fail "the window manager is not told the minimum size 650 by 726"
  xdotool windowsize "$window" 500 400
  sleep 1
  size_is 650x726 || fail "the window shrank to $(size)"
  xdotool windowsize "$window" 800 800
  retry 100 size_is 800x800 || fail "the window did not grow to 800x800 but is $(size)"
  press ctrl+n
  expect_title "Quillon"
  press ctrl+q
  await_exit
  [ "$status" = 0 ] || fail "Ctrl+Q ended with '$status', expected 0"
fi
stop

echo "case: nothing opened at start; the file chooser comes and goes"
if start "$work"; then
  expect_title "Quillon"
  press ctrl+o
  if retry 50 chooser_shown; then
    xdotool key --clearmodifiers Escape
    retry 50 chooser_gone || fail "Escape did not close the file chooser"
  else
    fail "Ctrl+O showed no file chooser"
  fi
  expect_title "Quillon"
  press ctrl+q
  await_exit
  [ "$status" = 0 ] || fail "Ctrl+Q ended with '$status', expected 0"
fi
stop

echo "case: a path that does not open leaves the program running with nothing loaded"
if start "$work" absent.c_cvs; then
  expect_title "Quillon"
  grep -q "ERROR: Could not open file : $work/absent.c_cvs" "$work/output" ||
    fail "no error for the absolute path of absent.c_cvs in: $(cat "$work/output")"
  kill -0 "$pid" 2>/dev/null || fail "the program ended"
  press ctrl+q
  await_exit
  [ "$status" = 0 ] || fail "Ctrl+Q ended with '$status', expected 0"
fi
stop

echo "case: a path relative to the working directory; the window closed by the window manager"
if start "$example" wordfreq.c_cvs; then
  expect_title "Quillon : wordfreq.c"
  press alt+F4
  await_exit
  [ "$status" = 0 ] || fail "closing the window ended with '$status', expected 0"
fi
stop

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
