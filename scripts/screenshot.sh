#!/usr/bin/env bash
# Starts Nivar under a virtual X display with the overview example, presses "Linear" and
# saves a picture of the window in docs/screenshot.png. Needs a build (./run.sh or ./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages xvfb xauth xdotool imagemagick

if [ -z "${NIVAR_IN_XVFB:-}" ]; then
    NIVAR_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 900x620x24" "$0" "$@"
fi

build/src/ui/nivar examples/overview.txt &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    window=$(xdotool search --name '^Nivar' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "Nivar did not start" >&2; exit 1; }
xdotool windowsize "$window" 880 600
xdotool windowmove "$window" 10 10
sleep 1
# The "Linear" speed button: second in the panel under the menu bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 101)) $((Y + 33)) click 1
sleep 1.5
import -window root -crop 880x600+10+10 docs/screenshot.png
echo "wrote docs/screenshot.png"
