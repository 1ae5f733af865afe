#!/usr/bin/env bash
# Pictures of the desktop program for the README, taken under a virtual X display: the window
# after "Linear" proved the overview example, its result in the status bar and the tip of the
# "Best" button shown (docs/screenshot.png), and Output > Proof graph
# (Ctrl+G) of the Socrates example (docs/proof-graph.png). Needs a build (./run.sh or
# ./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages xvfb xauth xdotool imagemagick

if [ -z "${NIVAR_IN_XVFB:-}" ]; then
    NIVAR_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 900x620x24" "$0" "$@"
fi

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

# Sets id to the first window whose name begins with $1, waited for.
wait_window() {
    id=""
    for _ in $(seq 50); do
        id=$(xdotool search --name "^$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { echo "no window '$1' appeared" >&2; exit 1; }
}

# Starts Nivar with the document $1, places and sizes it, and presses "Linear"; its id is in
# window.
prove() {
    build/src/ui/nivar "$1" >/dev/null 2>&1 &
    pids+=($!)
    wait_window Nivar
    window=$id
    xdotool windowsize "$window" 880 600
    xdotool windowmove "$window" 10 10
    sleep 1
    # The "Linear" speed button: second in the panel under the menu bar.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 101)) $((Y + 33)) click 1
    sleep 1.5
}

prove examples/overview.txt
# The pointer rests on "Best" until its tip shows.
xdotool mousemove $((X + 293)) $((Y + 33))
sleep 2
import -window root -crop 880x600+10+10 docs/screenshot.png
echo "wrote docs/screenshot.png"
kill "${pids[@]}"
pids=()
sleep 0.5

prove examples/socrates.txt
xdotool key --window "$window" ctrl+g
wait_window 'Proof graph'
sleep 1
import -window "$id" docs/proof-graph.png
echo "wrote docs/proof-graph.png"
