#!/usr/bin/env bash
# The real program under an X display, driven from outside as a user would:
# window size and its lower bound, the title before and after opening,
# closing and leaving through the menu's keys, a path that does not open.
# Usage: program_window_test.sh QUILLON EXAMPLE_DIRECTORY
set -uo pipefail

program=$(realpath "$1")
example=$2

extra_tools=openbox
. "$(dirname "$0")/support/program_driver.sh"

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

finish
