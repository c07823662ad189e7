#!/usr/bin/env bash
# Seeded storms of pointer moves, clicks of every button, drags, wheel steps
# and keys on the real program's window, menus and drop-down lists included,
# on the bundled example and on a larger made-up evolution: the program
# lives through them and still leaves cleanly on Ctrl+Q, which under the
# sanitizers also means nothing leaked. Its memory after a second run of
# the storm stays within 5% of that after the first: the code view's glyphs
# come from one texture per font, so the software renderer keeps nothing
# that grows with the glyphs and listings a run happens to meet.
# Usage: event_storm_test.sh QUILLON EXAMPLE_DIRECTORY [EVENTS, per evolution]
set -uo pipefail

program=$(realpath "$1")
example=$2
events=${3:-5000}

. "$(dirname "$0")/support/program_driver.sh"

# A made-up evolution far longer than the example, in a folder of its own
# beside a copy of the example's configuration, never in the input folder.
make_large_evolution() {
  local folder=$work/large
  mkdir -p "$folder"
  cp "$example/config.cfg" "$example/grammar.dat" "$folder/"
  awk -v lines=3000 -v revisions=200 'BEGIN {
    srand(7)
    printf "large.c\nBranch: 1.\nLines: %d\nRevisions: %d\n", lines, revisions
    for (i = 1; i <= lines; ++i) {
      birth = int(rand() * revisions); death = rand() < 0.2 ? birth + 1 + int(rand() * (revisions - birth)) : revisions
      row = sprintf("%d:", i)
      for (r = 0; r < revisions; ++r)
        row = row (r < birth ? ">" : r >= death ? "D" : substr("XXXXX-n|", 1 + int(rand() * 8), 1)) " "
      print row
    }
  }' >"$folder/large.c_cvs"
  awk -v revisions=200 'BEGIN { for (r = 1; r <= revisions; ++r) printf "1.%d%%author%d%%2024-01-01%%change %d\n", r, r % 7, r }' \
    >"$folder/large.c.rev"
}

cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null
}

# Waits until the program has used no processor time for half a second (or
# the interval given), so that every queued event has been handled and drawn.
await_idle() {
  local before after
  before=$(cpu_ticks)
  for _ in $(seq 1 600); do
    sleep "${1:-0.5}"
    after=$(cpu_ticks)
    [ -z "$after" ] && return 1
    [ "$after" = "$before" ] && return 0
    before=$after
  done
  return 1
}

# The program's own resident memory, without the pages of libraries mapped
# from disk: the software renderer's compiler brings in more of its code as
# it meets new drawing states, which is no growth of ours.
resident_kib() {
  awk '/^RssAnon:/ { print $2 }' "/proc/$pid/status"
}

# Keys that neither close the window (Escape) nor, without Ctrl, reach a
# menu item, nor choose one in a menu still open (Return, space);
# BackSpace and Tab with Shift are those that once crashed the toolkit in
# an open list.
keys=(1 2 3 4 f r a z Tab shift+Tab BackSpace Delete Home End Left Right Up Down Prior Next
  Shift_L Control_L F1 KP_Add minus plus)

# The program's visible top-level windows: its main window, and any menu
# or drop-down list it has open.
program_windows() {
  xdotool search --onlyvisible --maxdepth 1 --pid "$pid" 2>/dev/null
}

# The main window's id and size. Without a window manager the toolkit makes
# the window anew for full screen, with a new id and no title, so it is
# found as the largest of the program's windows.
measure_window() {
  local id area largest=0
  window=""
  for id in $(program_windows); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    area=$((${WIDTH:-0} * ${HEIGHT:-0}))
    [ "$area" -gt "$largest" ] && { largest=$area; window=$id; left=$X top=$Y width=$WIDTH height=$HEIGHT; }
  done
  [ -n "$window" ]
}

# Sends the batch and, when it opened the File menu, clicks far from the
# menus until none is open. A slow build may open the menu only after the
# click meant to shut it; left open, a later click below the menu bar could
# land on Exit.
send_batch() {
  xdotool "${batch[@]}" 2>/dev/null
  batch=()
  [ "$menu_opened" = 1 ] || return 0
  menu_opened=0
  for _ in $(seq 1 50); do
    await_idle 0.1 || return 1
    [ "$(program_windows | wc -l)" -le 1 ] && return 0
    measure_window || return 1
    xdotool mousemove $((left + width - 5)) $((top + height - 5)) click 1 2>/dev/null
  done
  return 1
}

# Adds to the batch a move to x, y of the window, in screen coordinates, so
# that a window replaced within the batch does not void the rest of it.
move() {
  batch+=(mousemove $((left + $1)) $((top + $2)))
}

# One storm of `count` actions from `seed`, sent in batches of fifty; each
# batch is one xdotool command so that the events arrive as fast as a hand
# moves.
storm() {
  RANDOM=$1
  local count=$2 sent=0 left top width height
  batch=() menu_opened=0
  while [ "$sent" -lt "$count" ]; do
    if [ ${#batch[@]} = 0 ]; then
      retry 50 measure_window || return 1
    fi
    # Below the menu bar, so that a stray click never opens the File menu
    # and a second one picks Exit; the menus come by their own steps below.
    local x=$((RANDOM % width)) y=$((30 + RANDOM % (height - 30)))
    case $((RANDOM % 20)) in
      0 | 1 | 2 | 3 | 4 | 5) move "$x" "$y" ;;
      6 | 7 | 8) move "$x" "$y"; batch+=(click $((1 + RANDOM % 3))) ;;
      9 | 10) move "$x" "$y"; batch+=(click $((4 + RANDOM % 4))) ;;
      11) move "$x" "$y"; batch+=(mousedown 1)
          move $((RANDOM % width)) $((30 + RANDOM % (height - 30))); batch+=(mouseup 1) ;;
      12) batch+=(keydown Control_L); move $((x + RANDOM % 40)) $((y + RANDOM % 40))
          move $((x + RANDOM % 80)) $((y + RANDOM % 80)); batch+=(keyup Control_L) ;;
      13 | 14 | 15 | 16) batch+=(key "${keys[RANDOM % ${#keys[@]}]}") ;;
      # The Settings menu opened and one of its items chosen by the keys.
      17) move 75 15; batch+=(click 1 key Down key Down key Return) ;;
      # The File menu opened, the keys that once crashed the toolkit there,
      # and a click far from any menu to shut whichever one is open then
      # without choosing from it.
      18) move 20 15; batch+=(click 1 key BackSpace key shift+Tab); move $((width - 5)) $((height - 5))
          batch+=(click 1); menu_opened=1 ;;
      # A tab, button, drop-down list or slider of the control panel on the
      # left, and a pick in what it opened.
      19) move $((5 + RANDOM % 190)) $((30 + RANDOM % 520)); batch+=(click 1)
          move $((5 + RANDOM % 190)) $((30 + RANDOM % 520)); batch+=(click 1) ;;
    esac
    sent=$((sent + 1))
    if [ "$menu_opened" = 1 ] || [ $((sent % 50)) = 0 ] || [ "$sent" = "$count" ]; then
      send_batch || return 1
      program_ended && return 1
      # A long history makes some events slow; let the queue drain now and
      # then rather than pile up thousands of them.
      [ $((sent % 500)) = 0 ] && { await_idle || return 1; }
    fi
  done
  await_idle
}

died() {
  if program_ended; then
    wait "$pid"
    fail "$1: the program ended with status $? in the $2 storm"
  else
    fail "$1: the program was still busy five minutes after the $2 storm"
  fi
  cat "$work/output"
  pid=""
}

# Memory after a storm, measured with the window out of full screen, since
# a window the size of the screen holds larger buffers whatever came before.
settled_memory() {
  local screen_width left top width height
  screen_width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
  measure_window
  if [ "$width" -ge "$screen_width" ]; then
    xdotool mousemove $((left + 300)) $((top + 300)) key f
    await_idle
  fi
  resident_kib
}

storms() {
  local name=$1 first second
  shift
  echo "case: $name"
  start "$@" || return
  # Caches (the software renderer's for each drawing state and glyph size
  # it met, and ours) may fill during the first storm; the second replays
  # the same events, so whatever it adds grows with the events themselves.
  storm 11 $((events / 4)) && storm 12 $((events / 4)) || { died "$name" first; return; }
  first=$(settled_memory)
  storm 11 $((events / 4)) && storm 12 $((events / 4)) || { died "$name" second; return; }
  second=$(settled_memory)
  echo "resident memory after the first storm: $first KiB, after the second: $second KiB"
  if [ -z "$first" ] || [ -z "$second" ]; then
    fail "$name: the program's memory could not be read"
  elif [ $((second * 100)) -gt $((first * 105)) ]; then
    fail "$name: the second storm grew the memory by more than 5%"
  fi
  measure_window
  xdotool mousemove $((left + 300)) $((top + 300)) key ctrl+q
  await_exit 600
  [ "$status" = 0 ] || fail "$name: Ctrl+Q after the storms ended with '$status', expected 0"
  stop
}

cp -r "$example" "$work/example"
storms "the bundled example" "$work/example" "$work/example/wordfreq.c_cvs"
make_large_evolution
storms "a made-up evolution of 3,000 lines by 200 revisions" "$work/large" "$work/large/large.c_cvs"
finish
