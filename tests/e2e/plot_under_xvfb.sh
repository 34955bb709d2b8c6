#!/usr/bin/env bash
# End to end: starts the real program on a virtual X server, presses the plot button with
# the mouse, waits for the feedback window, types p = 80 and then "90" into r key by key as
# a slow typist does, expects no message box and the fit of p = 80 %, r = 90 % (read back
# through the value area's "Copy Judgements and Fit"), types a whole set of judgements in
# tab order and expects exactly their fit and no box, then closes the input window, answers
# the question on unsaved changes with Save, names the file, and expects the program to end
# although the feedback window is still open. Started again with the file it shows the same
# fit; three changes undone with Ctrl+Z give that fit back, unmodified. Killed after one
# more change, the program offers the session back at the next start, and restores it.
#   plot_under_xvfb.sh PATH_TO_MORVANE
# Exit status 77 (skipped) when the X tools are missing; scripts/setup installs them.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
feedback_title='Feedback FORM for elicited Two-Sided Power Distribution'

for tool in Xvfb xdotool xclip python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup installs xvfb, xdotool, xclip and python3)"
    exit 77
  fi
done

work=$(mktemp -d)
# The settings and the kept session of this run only.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
session_file="$work/data/Morvane/Morvane/session.morvane"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  [ -s "$work/program.log" ] && { echo "--- program output"; cat "$work/program.log"; }
  exit 1
}

# The server picks a free display number and writes it to the pipe, so that tests running
# side by side never share a display.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
program_pid=$!

# The input window, by its exact caption: no file yet, nothing changed.
main_window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Untitled - Morvane$' | head -n 1) ||
  fail "the input window \"Untitled - Morvane\" did not appear"
if xdotool search --onlyvisible --name "^$feedback_title\$" >/dev/null 2>&1; then
  fail "the feedback window is shown before anything was plotted"
fi

# The controls stand under the menu bar, in an area 469 pixels high.
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main_window")"
menu=$((HEIGHT - 469))
[ "$menu" -gt 0 ] || fail "the input window has no menu bar above its controls"
# The plot button: left 16, top 368, 505 x 25 in the controls' area; its middle.
xdotool mousemove --window "$main_window" $((16 + 505 / 2)) $((menu + 368 + 25 / 2)) click 1
timeout 60 xdotool search --sync --onlyvisible --name "^$feedback_title\$" >/dev/null ||
  fail "pressing \"Plot Two-Sided Power Graphs\" did not show the feedback window"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended after the plot"

# Levels typed key by key: p = 80, then r = "9", "0" with pauses longer than the typing
# pause between the keys. The "9" alone, below p, is refused in the message line, not in a box.
# The level fields: p at (392, 24) and r at (392, 88) in the first group box at (16, 8).
xdotool mousemove --window "$main_window" $((16 + 392 + 30)) $((menu + 8 + 24 + 11)) click 1
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 150 80
sleep 1
xdotool mousemove --window "$main_window" $((16 + 392 + 30)) $((menu + 8 + 88 + 11)) click 1
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 700 90
sleep 1.5
if xdotool search --onlyvisible --name '^(Error|Warning|Morvane)$' >/dev/null; then
  fail "a message box opened while the levels were typed"
fi
feedback_window=$(xdotool search --onlyvisible --name "^$feedback_title" | head -n 1)
[ -n "$feedback_window" ] || fail "the feedback window is gone after typing the levels"
copy_fit() {
  # The value area's context menu: its first item copies the judgements and the fit.
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$feedback_title" | head -n 1) ||
    fail "the feedback window is not shown"
  printf '' | xclip -selection clipboard
  xdotool mousemove --window "$window" 300 140 click 3
  sleep 0.5
  xdotool mousemove_relative 30 10 click 1
  sleep 0.5
  timeout 10 xclip -o -selection clipboard 2>/dev/null
}
# A window by its exact caption, with the keyboard's focus.
focus_window() {
  local window
  window=$(timeout 90 xdotool search --sync --onlyvisible --name "$1" | head -n 1) || return 1
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
  echo "$window"
}
# Replaces a number field's text: the fields at left 168 in the first group box (16, 8).
type_field() {
  xdotool mousemove --window "$main_window" $((16 + 168 + 40)) $((menu + 8 + $1 + 10)) click 1
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 50 "$2"
  xdotool key --clearmodifiers Return
  sleep 1
}
copied=$(copy_fit) || fail "nothing was copied"
grep -qP '^Quantile Level \(p\)\t80$' <<<"$copied" || fail "the fit shown is not for p = 80: $copied"
grep -qP '^Quantile Level \(r\)\t90$' <<<"$copied" || fail "the fit shown is not for r = 90: $copied"
grep -qP '^Lower Bound \(a\)\t2.68720904$' <<<"$copied" &&
  fail "the feedback window still shows the fit of p = 10: $copied"

# The judgements typed in tab order at a normal pace, as a new analyst enters them:
# a_p = 20, p = 5, m = 30, b_r = 60, r = 95, n = 3, then Enter. Leaving p refits with
# a_p = 20 above m = 7.0, which is refused in the window's message line, not in a box, so
# that no key is lost; the fit shown at the end is exactly the one typed.
# The a_p field: (168, 24) in the first group box, 89 x 21.
xdotool mousemove --window "$main_window" $((16 + 168 + 30)) $((menu + 8 + 24 + 10)) click 1
xdotool key --clearmodifiers ctrl+a
for entry in 20 5 30 60 95; do
  xdotool type --delay 120 "$entry"
  xdotool key --delay 120 Tab
done
xdotool type --delay 120 3
xdotool key --delay 120 Return
sleep 1.5
if xdotool search --onlyvisible --name '^(Error|Warning|Morvane)$' | grep -vx "$main_window" >/dev/null; then
  fail "a message box opened while the judgements were typed in tab order"
fi
xdotool mousemove --window "$feedback_window" 300 140 click 3
sleep 0.5
xdotool mousemove_relative 30 10 click 1
sleep 0.5
copied=$(timeout 10 xclip -o -selection clipboard 2>/dev/null) || fail "nothing was copied"
for line in 'Lower Quantile \(a_p\)\t20' 'Quantile Level \(p\)\t5' 'Most Likely Value \(m\)\t30' \
  'Upper Quantile \(b_r\)\t60' 'Quantile Level \(r\)\t95' 'Power Parameter n\t3'; do
  grep -qP "^$line\$" <<<"$copied" || fail "the fit shown is not the one typed in tab order ($line): $copied"
done

fitted="$copied"
[ -f "$session_file" ] || fail "the changed session was not kept in $session_file"

# Closing the input window asks about the unsaved change; Save (the default) asks for a
# file, and then the program ends, with the feedback window open.
python3 "$here/close_window.py" "$main_window" || fail "could not ask the input window to close"
focus_window '^Morvane$' >/dev/null || fail "closing with unsaved changes asked nothing"
xdotool key --clearmodifiers Return
focus_window '^Save Elicitation As$' >/dev/null || fail "Save did not ask for a file"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$work/levels.morvane"
xdotool key --clearmodifiers Return
for _ in $(seq 300); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  fail "the program went on after its input window was closed"
fi
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -s "$work/levels.morvane" ] || fail "the elicitation was not saved"
[ -f "$session_file" ] && fail "the kept session outlived a clean exit"

# Started with the file: the same fit, unmodified.
QT_QPA_PLATFORM=xcb "$program" "$work/levels.morvane" >"$work/program.log" 2>&1 &
program_pid=$!
main_window=$(timeout 60 xdotool search --sync --onlyvisible --name '^levels.morvane - Morvane$' | head -n 1) ||
  fail "the input window did not open levels.morvane"
sleep 0.5
[ "$(copy_fit)" = "$fitted" ] || fail "the file opened with another fit: $(copy_fit)"

# Three changes (a_p, m and a step down of p) and three undos.
type_field 24 6
type_field 56 7.5
xdotool mousemove --window "$main_window" $((16 + 392 + 30)) $((menu + 8 + 24 + 11)) click 1
xdotool key --clearmodifiers Down
sleep 1
changed=$(copy_fit)
grep -qP '^Quantile Level \(p\)\t4$' <<<"$changed" || fail "the three changes were not fitted: $changed"
xdotool search --onlyvisible --name '^levels.morvane\* - Morvane$' >/dev/null ||
  fail "the changes did not mark the title"
# The keyboard back in the input window, in the field of p: Ctrl+Z there is the window's.
xdotool mousemove --window "$main_window" $((16 + 392 + 30)) $((menu + 8 + 24 + 11)) click 1
for _ in 1 2 3; do
  xdotool key --clearmodifiers ctrl+z
  sleep 1
done
[ "$(copy_fit)" = "$fitted" ] || fail "three undos did not give the file's fit back: $(copy_fit)"
xdotool search --onlyvisible --name '^levels.morvane - Morvane$' >/dev/null ||
  fail "undone back to the file, the title still marks a change"

# One more change, and the program is killed: the next start offers the session back.
type_field 24 6
[ -f "$session_file" ] || fail "the change was not kept in $session_file"
kill -9 "$program_pid"
wait "$program_pid" 2>/dev/null || true
QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
program_pid=$!
focus_window '^Morvane$' >/dev/null || fail "the kept session was not offered back"
xdotool key --clearmodifiers Return
timeout 30 xdotool search --sync --onlyvisible --name '^Untitled\* - Morvane$' >/dev/null ||
  fail "the restored session is not an unsaved one"
restored=$(copy_fit)
grep -qP '^Lower Quantile \(a_p\)\t6$' <<<"$restored" || fail "the restored session lost a_p = 6: $restored"
grep -qP '^Quantile Level \(p\)\t5$' <<<"$restored" || fail "the restored session lost p = 5: $restored"
echo "the feedback window appeared after the plot button was pressed; p = 80 and r = 90 typed key by key were fitted without a message box; the judgements typed in tab order were fitted exactly, without a message box; closing the input window asked to save, saved and ended the program; the file opened with the same fit; three undos gave it back; a killed session was offered back and restored"
