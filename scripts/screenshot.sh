#!/bin/sh
# Starts the desktop program on an example problem under a virtual X server,
# solves it, and saves a picture of the window with its labels.
#
#   scripts/screenshot.sh [BUILD_DIR] [PROBLEM.ban] [OUTPUT.png]
#
# Defaults: build/, examples/side_straight_three_black_kills.ban (relative to
# the repository, where the program runs),
# docs/screenshot.png. Needs xvfb-run (Debian package xvfb).
# OSTREL_SCREENSHOT makes the program press "全部解く" once it is up, answer
# its message boxes on stdout, and save the window once it waits for a move.
# --lang ja keeps the picture in Japanese whatever the locale.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
output=${3:-$root/docs/screenshot.png}
case $output in /*) ;; *) output=$(pwd)/$output ;; esac
# Run from the repository, so that the file line shows a path relative to it.
cd "$root"
problem=${2:-examples/side_straight_three_black_kills.ban}

if [ ! -x "$build/ostrel" ]; then
    echo "screenshot.sh: $build/ostrel not found; build the project first" >&2
    exit 2
fi
rm -f "$output"
QT_QPA_PLATFORM=xcb OSTREL_SCREENSHOT="$output" \
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$build/ostrel" --lang ja "$problem"
if [ ! -s "$output" ]; then
    echo "screenshot.sh: no picture was saved" >&2
    exit 1
fi
echo "saved $output"
